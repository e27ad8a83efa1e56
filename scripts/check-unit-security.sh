#!/usr/bin/env bash
# Checks the service units without installing them:
#   scripts/check-unit-security.sh [UNIT]
# (default: docs/quorvel.service and the template quorvel@.service that
# packaging/instance-unit.sh makes from it)
# 1. `systemd-analyze security --offline=true` rates the confinement; the
#    check fails when the overall exposure is above 2.0.
# 2. `systemd-analyze verify` reads the unit as the service manager would;
#    any message (an unknown key, a misspelt value, a missing program) fails
#    the check. The programs the unit runs are not installed on a build
#    machine, so verify reads a copy whose program paths lead to a stand-in
#    executable in a scratch folder.
# Neither step starts the unit: whether the service runs under it can only
# be seen on a machine where systemd is the service manager (docs/security.md).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
limit=2.0
scratch=$(mktemp -d /tmp/quorvel-unit.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
printf '#!/bin/sh\n' >"$scratch/program"
chmod +x "$scratch/program"

check_unit() {
  local unit=$1 report exposure messages
  report=$(systemd-analyze security --offline=true --no-pager "$unit" 2>&1)
  exposure=$(sed -n 's/.*Overall exposure level for [^:]*: \([0-9.]*\).*/\1/p' <<<"$report")
  if [ -z "$exposure" ]; then
    echo "$report" >&2
    echo "check-unit-security: no exposure level for $unit" >&2
    exit 1
  fi
  if awk -v e="$exposure" -v l="$limit" 'BEGIN { exit !(e > l) }'; then
    grep '✗' <<<"$report" >&2 || true
    echo "check-unit-security: $unit exposure $exposure is above $limit" >&2
    exit 1
  fi
  echo "check-unit-security: $(basename "$unit") exposure $exposure (at most $limit)"

  # Every absolute program path after Exec...= (and its "-", "@", "+" or "!"
  # prefixes) becomes the stand-in; the unit keeps its name.
  sed -E 's#^(Exec[A-Za-z]*=[-@+!:]*)/[^ ]+#\1'"$scratch"'/program#' "$unit" >"$scratch/$(basename "$unit")"
  messages=$(systemd-analyze verify --man=no "$scratch/$(basename "$unit")" 2>&1) || {
    echo "$messages" >&2
    echo "check-unit-security: systemd-analyze verify failed for $unit" >&2
    exit 1
  }
  if [ -n "$messages" ]; then
    echo "$messages" >&2
    echo "check-unit-security: systemd-analyze verify complained about $unit" >&2
    exit 1
  fi
  echo "check-unit-security: $(basename "$unit") verified"
}

if [ $# -gt 0 ]; then
  check_unit "$1"
else
  check_unit "$root/docs/quorvel.service"
  mkdir "$scratch/template"
  "$root/packaging/instance-unit.sh" "$root/docs/quorvel.service" >"$scratch/template/quorvel@.service"
  check_unit "$scratch/template/quorvel@.service"
fi
