#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite;
# checks the Debian package of that build, unpacked and installed under a
# booted systemd; then builds it again with the
# sanitizers and runs it once more there (scripts/test-sanitized.sh). Arguments go to both ctest runs.
# Last, the threaded parts under ThreadSanitizer (scripts/test-tsan.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/check-unit-security.sh"
"$root/scripts/start-firebird.sh"
export QT_QPA_PLATFORM=offscreen
# Two tests at a time on a 2-core machine: most of a test is spent waiting for
# the server, a simulated terminal or a reply's three seconds.
(cd "$build" && ctest --output-on-failure --timeout 300 --parallel "$(nproc)" "$@")
# The Debian package of this build: lintian, then its programs unpacked;
# then installed and run under a booted systemd (its Debian tree is made
# once per machine and kept in /var/cache).
"$root/tests/packaging/check-package.sh" "$build"
"$root/tests/packaging/check-under-systemd.sh" "$build"
"$root/scripts/test-sanitized.sh" "$@"
"$root/scripts/test-tsan.sh"
