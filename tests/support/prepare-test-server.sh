#!/usr/bin/env bash
# Makes the local Firebird server ready for the store tests that go through
# it: starts the server when it is not running and creates the test login
# when it is missing. The test login owns only the scratch databases the
# tests create; no shop database is touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/scripts/create-server-login.sh" "${QUORVEL_TEST_USER:-QUORVEL_TEST}" "${QUORVEL_TEST_PASSWORD:-qztest}"
