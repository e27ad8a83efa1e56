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
            teclas.txt:/var/lib/quorvel/teclas.txt Dados:/var/lib/quorvel/Dados estado.txt:/run/quorvel/estado.txt; do
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
grep -q "^BindPaths=/etc/quorvel/%i:/etc/quorvel " "$scratch/usr/lib/systemd/system/quorvel@.service" ||
  fail "no template unit giving each instance its own settings folder"

# The unpacked program's installation check against the test server: a
# scratch shop database, a terminal list with one simulated terminal on
# loopback and the connection in a CFG= file, each in place of the link.
"$root/scripts/start-firebird.sh"
"$root/tests/support/prepare-test-server.sh" >/dev/null
user=${QUORVEL_TEST_USER:-QUORVEL_TEST}
password=${QUORVEL_TEST_PASSWORD:-qztest}
chmod 0755 "$scratch"  # the server creates the database as its own user
"$root/scripts/make-demo-db.sh" --login "$user" "$password" "$scratch/dados/shop.fdb" >/dev/null
port=
for candidate in $(shuf -i 20000-60000 -n 50); do
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || fail "no free loopback port for the simulated terminal"
"$folder/terminal-simulator" --listen "127.0.0.1:$port" --headless --linger 600000 </dev/null >/dev/null &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; rm -rf "$scratch"' EXIT
rm -f "$folder/BemaSB32.ini" "$folder/Quorvel.ini"
printf '[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=%s\n0=127.0.0.1\n' "$port" >"$folder/BemaSB32.ini"
: >"$folder/Quorvel.ini"
(umask 077; printf '[IBCONFIG]\nIP=127.0.0.1\nLOCAL=%s\nUSUARIO=%s\nSENHA=%s\nUSACONFIG=1\n' \
  "$scratch/dados/shop.fdb" "$("$folder/quorvel-scramble" "$user")" "$("$folder/quorvel-scramble" "$password")" \
  >"$scratch/loja.ini")
for _ in $(seq 1 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$folder/Quorvel" "CFG=$scratch/loja.ini" --check ||
  fail "the installation check of the unpacked program found a problem"
echo "check-package: $(basename "$package") is fine"
