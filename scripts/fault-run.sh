#!/usr/bin/env bash
# A long seeded fault run of the built service:
#   scripts/fault-run.sh SEED DURATION [TERMINALS]
# DURATION in seconds; 4 terminals unless TERMINALS says otherwise. Builds
# what the run needs into build/ (or $QUORVEL_BUILD_DIR), starts the local
# Firebird server, runs and prints one summary line: seed, duration,
# commands by reply code, faults by kind, violations. The whole report (each
# violation, the command that replays the run and its schedule) is kept in
# build/fault-run-SEED.log; the exit status is 1 when a promise was broken.
# See docs/fault-runs.md.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 SEED DURATION [TERMINALS]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target fault_run >/dev/null
"$root/scripts/start-firebird.sh"
"$root/tests/support/prepare-test-server.sh"
log=$build/fault-run-$1.log
status=0
"$build/bin/fault_run" --seed "$1" --seconds "$2" --terminals "${3:-4}" >"$log" 2>&1 || status=$?
head -n 1 "$log"
if [ "$status" -ne 0 ]; then
  echo "report: $log" >&2
fi
exit "$status"
