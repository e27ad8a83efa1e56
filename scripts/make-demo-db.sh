#!/usr/bin/env bash
# Makes a fresh demonstration shop database from schema/shop.sql and
# schema/demo.sql.
#   scripts/make-demo-db.sh [PATH]
#       opened through the embedded engine (default: build/demo/DBEMPRESA.FDB)
#   scripts/make-demo-db.sh --login USER PASSWORD PATH
#       made through the local server (127.0.0.1) by that login, which owns
#       it, so a program connecting through the server with it may use it
# An existing file at PATH is replaced only when it is a demonstration
# database made by this script; anything else is left alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
isql=(isql-fb -q -user SYSDBA)
prefix=
if [ "${1:-}" = "--login" ]; then
  isql=(isql-fb -q -user "$2" -password "$3")
  prefix=127.0.0.1:
  shift 3
fi
target=${1:-$root/build/demo/DBEMPRESA.FDB}
marker='Quorvel demonstration shop'

case "$target" in
  *:*) echo "Give a local file path, not a server connection: $target" >&2; exit 2 ;;
esac
target=$(realpath -m "$target")

is_demo() {
  local description
  description=$(printf 'SET HEADING OFF;\nSELECT RDB$DESCRIPTION FROM RDB$DATABASE;\n' |
    "${isql[@]}" "$prefix$1" 2>/dev/null) || return 1
  grep -qF "$marker" <<<"$description"
}

if [ -e "$target" ] && ! is_demo "$target"; then
  echo "$target exists and is not a demonstration database; it was left alone." >&2
  exit 1
fi

folder=$(dirname "$target")
mkdir -p "$folder"
# The server writes the file as its own user.
[ -n "$prefix" ] && chmod 0777 "$folder"
fresh=$(mktemp -u "$folder/.demo-XXXXXX.fdb")
trap 'rm -f "$fresh"' EXIT

printf "CREATE DATABASE '%s' DEFAULT CHARACTER SET WIN1252;\n" "$prefix$fresh" | "${isql[@]}"
"${isql[@]}" -bail -i "$root/schema/shop.sql" "$prefix$fresh"
"${isql[@]}" -bail -ch UTF8 -i "$root/schema/demo.sql" "$prefix$fresh"
mv -f "$fresh" "$target"
trap - EXIT
echo "Demonstration database ready: $target"
