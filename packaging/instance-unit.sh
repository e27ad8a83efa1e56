#!/usr/bin/env bash
# Writes the template unit quorvel@.service from the plain unit on standard
# output, so that both keep one confinement:
#   packaging/instance-unit.sh docs/quorvel.service > quorvel@.service
# An instance NAME (quorvel@NAME) serves the terminals of its own settings
# folder /etc/quorvel/NAME ("BemaSB32.ini" with its terminal list and port,
# "Quorvel.ini") and keeps its state (key log) in /var/lib/quorvel/NAME:
# in the instance's own view of the file system those folders stand where
# the program's links lead, /etc/quorvel and /var/lib/quorvel.
set -euo pipefail
[ $# -eq 1 ] || {
  echo "usage: packaging/instance-unit.sh PLAIN_UNIT" >&2
  exit 2
}
plain=$1
grep -q '^ReadWritePaths=/etc/quorvel /var/lib/quorvel$' "$plain" ||
  { echo "instance-unit: $plain has no ReadWritePaths line to follow" >&2; exit 1; }
sed -E \
  -e '1,2c\
# Quorvel serving the terminals of one of several services on this computer\
# (quorvel@NAME): settings in /etc/quorvel/NAME, state in /var/lib/quorvel/NAME.\
# Made from quorvel.service by packaging/instance-unit.sh; docs/several-hosts.md.' \
  -e 's/^(Description=.*)$/\1 (%i)/' \
  -e '/^ReadWritePaths=\/etc\/quorvel \/var\/lib\/quorvel$/a\
# The instance'"'"'s own folders in the places of the shared ones; a missing\
# folder keeps the instance from starting.\
BindPaths=/etc/quorvel/%i:/etc/quorvel /var/lib/quorvel/%i:/var/lib/quorvel' \
  "$plain"
