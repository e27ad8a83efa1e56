#!/usr/bin/env bash
# Long fuzz runs by hand: builds the fuzz targets of tests/fuzz with clang's
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/
# and runs each named target (all when none is named) for a while.
#
#   scripts/fuzz.sh [TARGET...] [-- LIBFUZZER-OPTION...]
#   QUORVEL_FUZZ_SECONDS=600 scripts/fuzz.sh ini_file -- -jobs=2 -workers=2
#
# TARGET is a folder name under tests/fuzz/corpus. Inputs the fuzzer finds
# interesting gather in build-fuzz/corpus/TARGET (the seed corpus in the tree
# is only read); a failing input lands in build-fuzz/findings/TARGET/.
# See docs/fuzzing.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${QUORVEL_FUZZ_SECONDS:-60}

targets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
[ $# -gt 0 ] && shift
if [ ${#targets[@]} -eq 0 ]; then
  for corpus in "$root"/tests/fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

"$root/scripts/install-deps.sh"
if ! command -v clang++-14 >/dev/null; then
  echo "Installing clang 14 with libFuzzer"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq clang-14 libclang-rt-14-dev
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DQUORVEL_SANITIZE=ON -DQUORVEL_LIBFUZZER=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target" "$build/findings/$target"
  echo "== $target for ${seconds} s"
  "$build/bin/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$build/findings/$target/" \
    "$@" "$build/corpus/$target" "$root/tests/fuzz/corpus/$target"
done
