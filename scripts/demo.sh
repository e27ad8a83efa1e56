#!/usr/bin/env bash
# Installs what is missing, builds, makes a fresh demo shop database and runs
# terminal commands against it through the interpreter console: first the
# short session in scripts/demo-session.txt, then, when a person sits at the
# keyboard, whatever they type (one command per line, Ctrl-D to end).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
db="$build/demo/DBEMPRESA.FDB"
"$root/scripts/make-demo-db.sh" "$db"

console=("$build/bin/quorvel-cmd" --show-prompt "$db")
echo
echo "== Demo session (commands from scripts/demo-session.txt) =="
session=$(cat "$root/scripts/demo-session.txt")
if [ -t 0 ]; then
  echo "Then type your own commands, one per line; Ctrl-D ends."
  { printf '%s\n' "$session"; cat; } | "${console[@]}" | sed 's/^/  /'
else
  printf '%s\n' "$session" | "${console[@]}" | sed 's/^/  /'
fi
