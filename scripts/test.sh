#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite;
# checks the Debian package of that build, unpacked and installed under a
# booted systemd; then runs the suite once more in a build with the
# sanitizers (scripts/test-sanitized.sh), and the threaded parts under
# ThreadSanitizer (scripts/test-tsan.sh). Arguments go to the ctest runs of
# the whole suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/check-unit-security.sh"
"$root/scripts/start-firebird.sh"
export QT_QPA_PLATFORM=offscreen

# The tests and the package checks wait on the server, the simulated
# terminals, a reply's three seconds and the container far more than they
# compute: the sanitized trees compile meanwhile, their messages kept for
# a failure.
sanitized_log=$(mktemp)
( "$root/scripts/test-sanitized.sh" --build-only && "$root/scripts/test-tsan.sh" --build-only ) >"$sanitized_log" 2>&1 &
sanitized_builds=$!
trap 'kill "$sanitized_builds" 2>/dev/null || true; rm -f "$sanitized_log"' EXIT

# Two tests at a time on a 2-core machine, for the same reason.
(cd "$build" && ctest --output-on-failure --timeout 300 --parallel "$(nproc)" "$@")
# The Debian package of this build: lintian, then its programs unpacked;
# then installed and run under a booted systemd (its Debian tree is made once
# per machine and kept in /var/cache).
"$root/tests/packaging/check-package.sh" "$build"
"$root/tests/packaging/check-under-systemd.sh" "$build"

if ! wait "$sanitized_builds"; then
  tail -n 40 "$sanitized_log"
  echo "test.sh: the sanitized builds failed" >&2
  exit 1
fi
"$root/scripts/test-sanitized.sh" "$@"
"$root/scripts/test-tsan.sh"
