#!/usr/bin/env bash
# Makes the local Firebird server ready for the store tests that go through
# it: starts the server when it is not running and creates the test logins
# when they are missing. The test logins own only the scratch databases the
# tests create; no shop database is touched. The second one has a password
# with an accent.
# It also makes the login the terminal service's rights are tried with,
# through scripts/grant-terminal-user.sh on a scratch shop database; each
# test then gives it those rights on its own database.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
test_user=${QUORVEL_TEST_USER:-QUORVEL_TEST}
test_password=${QUORVEL_TEST_PASSWORD:-qztest}
terminal_user=QUORVEL_TERMINAL_TEST  # as tests/orders/TerminalUserLogin.cpp logs in
terminal_password=qzterminal

"$root/scripts/create-server-login.sh" "$test_user" "$test_password"
"$root/scripts/create-server-login.sh" QUORVEL_ACENTO "senhão"

if fbsvcmgr 127.0.0.1:service_mgr -user "$terminal_user" -password "$terminal_password" info_server_version \
  >/dev/null 2>&1; then
  exit 0
fi
scratch=$(mktemp -d /tmp/quorvel-terminal-login.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
chmod 0777 "$scratch"
shop=127.0.0.1:$scratch/shop.fdb
echo "create database '$shop' default character set win1252;" |
  ISC_USER=$test_user ISC_PASSWORD=$test_password isql-fb -q -bail
ISC_USER=$test_user ISC_PASSWORD=$test_password isql-fb -q -bail -i "$root/schema/shop.sql" "$shop"
"$root/scripts/grant-terminal-user.sh" "$shop" "$terminal_user" "$terminal_password"
echo "drop database;" | ISC_USER=$test_user ISC_PASSWORD=$test_password isql-fb -q -bail "$shop"
