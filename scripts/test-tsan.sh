#!/usr/bin/env bash
# Builds the threaded parts with ThreadSanitizer into build-tsan/ (or
# $QUORVEL_TSAN_BUILD_DIR) and runs their tests there: the service with its
# terminal threads, fleet, reload and notifier (and the programs it starts:
# the terminal library, the simulator), the data modules side by side, and
# the fault tests. A report ends the program that made it, so the test
# fails. Arguments go to ctest (--build-only: build and stop). See docs/fault-runs.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_TSAN_BUILD_DIR:-$root/build-tsan}

# Only the targets these tests need, at -O1 with line tables: a third of
# the compile time of -O2 -g, and reports still name file and line.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS=-fsanitize=thread \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target Quorvel bemasb32 terminal-simulator terminal_link_test \
  store_server_test headless_service_test service_host_test fault_cases_test fault_run
[ "${1:-}" != --build-only ] || exit 0
"$root/scripts/start-firebird.sh"

# halt_on_error: the first report ends the program (exit status 66), in the
# test programs and in the service and simulator they start, which inherit
# these settings. Only the Firebird client's own races are suppressed, each
# with its reason (scripts/tsan-suppressions.txt).
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:second_deadlock_stack=1:suppressions=$root/scripts/tsan-suppressions.txt"
export QT_QPA_PLATFORM=offscreen
# The service's threads (terminals, fleet, reload, notifier, watchdog, the
# stop), the data modules side by side, the library from several threads,
# and the fault tests with one seeded run (the default build runs the
# others). Tests of the same threads under another login or another
# refusal are left to the other builds, to keep CI's time.
tests='^(ServiceNotify\.ReportsReady|ServiceWatchdog\.|ServiceFleetReload\.|ServiceReload\.|HeadlessService\.Sigterm'
tests+='|Logins/ConcurrentTerminalsTest\..*/Owner|SharedTabTotalsTest\.|LinkFromSeveralThreads\.|FaultProxy\.'
tests+='|FaultCases\.|fault_run_seed_1$)'
cd "$build"
ctest --output-on-failure --timeout 600 -R "$tests" "$@"
