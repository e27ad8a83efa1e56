#!/usr/bin/env bash
# Makes a fresh demonstration shop database from schema/shop.sql and
# schema/demo.sql, opened through the embedded engine.
#   scripts/make-demo-db.sh [PATH]      (default: build/demo/DBEMPRESA.FDB)
# An existing file at PATH is replaced only when it is a demonstration
# database made by this script; anything else is left alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-$root/build/demo/DBEMPRESA.FDB}
marker='Quorvel demonstration shop'

case "$target" in
  *:*) echo "Give a local file path, not a server connection: $target" >&2; exit 2 ;;
esac

is_demo() {
  local description
  description=$(printf 'SET HEADING OFF;\nSELECT RDB$DESCRIPTION FROM RDB$DATABASE;\n' |
    isql-fb -q -user SYSDBA "$1" 2>/dev/null) || return 1
  grep -qF "$marker" <<<"$description"
}

if [ -e "$target" ] && ! is_demo "$target"; then
  echo "$target exists and is not a demonstration database; it was left alone." >&2
  exit 1
fi

mkdir -p "$(dirname "$target")"
fresh=$(mktemp "$(dirname "$target")/.demo-XXXXXX.fdb")
rm -f "$fresh"
trap 'rm -f "$fresh"' EXIT

printf "CREATE DATABASE '%s' DEFAULT CHARACTER SET WIN1252;\n" "$fresh" | isql-fb -q -user SYSDBA
isql-fb -q -bail -user SYSDBA -i "$root/schema/shop.sql" "$fresh"
isql-fb -q -bail -user SYSDBA -ch UTF8 -i "$root/schema/demo.sql" "$fresh"
mv -f "$fresh" "$target"
trap - EXIT
echo "Demonstration database ready: $target"
