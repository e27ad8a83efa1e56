#!/usr/bin/env bash
# Makes a login on the local Firebird server (127.0.0.1) when it is missing,
# allowed to create databases of its own:
#   scripts/create-server-login.sh USER PASSWORD
# Starts the server when it is not running. Creating the login needs the
# server's administrator password, which Debian keeps in a root-only file.
set -euo pipefail
# The client tools take a password with an accent as UTF-8 only in a UTF-8
# locale, and the login is made over a UTF-8 connection, so the server keeps
# it as the program sends it.
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/.." && pwd)
user=$1
password=$2
service=127.0.0.1:service_mgr

"$root/scripts/start-firebird.sh"

if fbsvcmgr "$service" -user "$user" -password "$password" info_server_version >/dev/null 2>&1; then
  exit 0
fi

admin_file=/etc/firebird/3.0/SYSDBA.password
if [ ! -r "$admin_file" ]; then
  echo "Cannot create the login $user: $admin_file is not readable" >&2
  exit 1
fi
scratch=$(mktemp -d /tmp/quorvel-login.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
chmod 0777 "$scratch"
(
  # shellcheck disable=SC1090
  . "$admin_file"
  isql-fb -q -bail -ch UTF8 -user "$ISC_USER" -password "$ISC_PASSWORD" <<SQL
create database '127.0.0.1:$scratch/login.fdb';
create or alter user $user password '$password' using plugin Srp;
grant create database to user $user;
drop database;
SQL
)
fbsvcmgr "$service" -user "$user" -password "$password" info_server_version >/dev/null
