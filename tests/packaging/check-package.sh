#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it: lintian
# (an error fails), then the package unpacked into a scratch folder, its
# program folder's links and its programs answering --version and --help.
#   bash tests/packaging/check-package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
package=$(bash "$root/scripts/package.sh" "$@" | tail -n 1)
echo "package: $package"

# Warnings are shown; an error fails. (Its notice about running as root is
# not a finding.)
status=0
findings=$(lintian --fail-on error "$package" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$findings" || true
[ "$status" -eq 0 ] || { echo "check-package: lintian reports errors" >&2; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$package" "$scratch"
folder=$scratch/usr/lib/quorvel

fail() { echo "check-package: $*" >&2; exit 1; }
for link in BemaSB32.ini:/etc/quorvel/BemaSB32.ini Quorvel.ini:/etc/quorvel/Quorvel.ini \
            teclas.txt:/var/lib/quorvel/teclas.txt Dados:/var/lib/quorvel/Dados; do
  [ "$(readlink "$folder/${link%%:*}")" = "${link#*:}" ] || fail "$folder/${link%%:*} does not point to ${link#*:}"
done
for program in Quorvel quorvel-scramble terminal-simulator; do
  [ "$(readlink -f "$scratch/usr/bin/$program")" = "$folder/$program" ] || fail "/usr/bin/$program does not lead to the program folder"
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$folder/$program" --version) || fail "$program --version failed"
  [ "$version" = "$program $(dpkg-deb -f "$package" Version)" ] || fail "$program --version says \"$version\""
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$folder/$program" --help | grep -Eq "^(uso|usage):" ||
    fail "$program --help printed no usage"
done
[ -f "$scratch/usr/lib/systemd/system/quorvel.service" ] || fail "no unit"
grep -q "^ExecStart=/usr/lib/quorvel/Quorvel " "$scratch/usr/lib/systemd/system/quorvel.service" ||
  fail "the unit does not start the installed program"
# The run of the unpacked program's installation check against the test
# server belongs here.
echo "check-package: $(basename "$package") is fine"
