#!/usr/bin/env bash
# Builds the tree with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $QUORVEL_SANITIZE_BUILD_DIR) and runs the whole suite there;
# arguments go to ctest (--build-only: build and stop). Expects the packages of scripts/install-deps.sh;
# starts the local Firebird server when it is not running. See docs/fuzzing.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_SANITIZE_BUILD_DIR:-$root/build-asan}

# -O1 with line tables only: about half the compile time of -O2 -g once the
# sanitizers instrument the code, and reports still name file and line.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DQUORVEL_SANITIZE=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"
[ "${1:-}" != --build-only ] || exit 0
"$root/scripts/start-firebird.sh"

# A finding ends the program with its report, so the test fails. The Firebird
# client, the embedded engine it loads and Qt are not instrumented: their
# memory still comes from the sanitizer's allocator, so our misuse of it is
# caught, but their own reads and writes go unchecked. The one finding
# suppressed is theirs: memory the Firebird client keeps until the process
# ends (scripts/lsan-suppressions.txt).
export QT_QPA_PLATFORM=offscreen
# Leak checking stops every thread at exit and now and then fails at that
# itself ("LeakSanitizer has encountered a fatal error") on a busy machine,
# failing a test that did nothing wrong; it is off unless
# QUORVEL_DETECT_LEAKS=1 asks for it (then with the suppressions below).
export ASAN_OPTIONS=check_initialization_order=1:strict_init_order=1:detect_leaks=${QUORVEL_DETECT_LEAKS:-0}
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0
cd "$build"
# The seeded fault runs are left to the default build and the
# ThreadSanitizer run (docs/fault-runs.md); the fixed fault cases run here.
ctest --output-on-failure --timeout 300 --parallel "$(nproc)" -LE fault_seed "$@"
