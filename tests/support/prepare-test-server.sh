#!/usr/bin/env bash
# Makes the local Firebird server ready for the store tests that go through
# it: starts the server when it is not running and creates the test logins
# when they are missing. The test logins own only the scratch databases the
# tests create; no shop database is touched. The second one has a password
# with an accent.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/create-server-login.sh" "${QUORVEL_TEST_USER:-QUORVEL_TEST}" "${QUORVEL_TEST_PASSWORD:-qztest}"
exec "$root/scripts/create-server-login.sh" QUORVEL_ACENTO "senhão"
