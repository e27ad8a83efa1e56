#!/usr/bin/env bash
# Builds the Debian package quorvel_<version>_amd64.deb in BUILD_DIR
# (default build/), configuring and building what it needs first, and prints
# the package's path as its last line (on standard output; what the build
# says goes to standard error).
#   bash scripts/package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$build" --parallel "$(nproc)" --target Quorvel quorvel-scramble terminal-simulator bemasb32 package_files >&2
rm -f "$build"/quorvel_*.deb
(cd "$build" && cpack -G DEB >&2)
package=$(ls "$build"/quorvel_*_amd64.deb)
echo "$package"
