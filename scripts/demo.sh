#!/usr/bin/env bash
# The whole chain on this machine: installs what is missing, builds, starts
# the local Firebird server, makes a demonstration shop database and lays out
# a program folder (build/demo-shop) with the program, the terminal library,
# "BemaSB32.ini", the own settings file (letter A mapped to a coffee with
# "#13") and the database in "Dados/". Then
#   - with a display: the terminal simulator's window and the program's
#     window serving it; type on the simulator and watch the tab fill;
#   - without one: the program as a service without windows and the
#     simulator typing a short session, every display change printed; both
#     are stopped cleanly at the end.
# The interpreter console (quorvel-cmd) remains for trying commands alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

login=QUORVEL_DEMO
password=quorveldemo
"$root/scripts/create-server-login.sh" "$login" "$password"

shop=$build/demo-shop
mkdir -p "$shop"
cp -f "$build/bin/Quorvel" "$build/bin/libbemasb32.so" "$shop/"
"$root/scripts/make-demo-db.sh" --login "$login" "$password" "$shop/Dados/DBEMPRESA.FDB"

port=9200
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
scramble=$build/bin/quorvel-scramble
cat >"$shop/BemaSB32.ini" <<INI
[FIT]
PROTOCOLO=0
[Terminais]
Porta=$port
0=127.0.0.1
INI
cat >"$shop/Quorvel.ini" <<INI
[TECLAS]
A=7891000100103#13
[IBCONFIG]
IP=127.0.0.1
LOCAL=$shop/Dados/DBEMPRESA.FDB
USUARIO=$("$scramble" "$login")
SENHA=$("$scramble" "$password")
USACONFIG=1
INI

simulator=$build/bin/terminal-simulator
if [ -n "${DISPLAY:-}" ]; then
  echo "Demo shop in $shop: the simulator listens on 127.0.0.1:$port."
  echo "Type C12 and Enter on it, then A (a coffee), 2001500004507 (a scale label), Q2, V..."
  "$simulator" --listen "127.0.0.1:$port" &
  simulator_pid=$!
  trap 'kill $simulator_pid 2>/dev/null || true' EXIT
  "$shop/Quorvel" --terminal 0
  exit 0
fi

echo "No display: the program serves the simulator without windows."
echo "== Program (status lines) and terminal display (DISPLAY lines) =="
"$shop/Quorvel" --headless &
program_pid=$!
trap 'kill $program_pid 2>/dev/null || true' EXIT
"$simulator" --listen "127.0.0.1:$port" --headless --linger 5000 <"$root/scripts/demo-keys.txt" | grep -v "^DISPLAY |||$"
kill -TERM "$program_pid"
wait "$program_pid"
trap - EXIT
echo "== Both stopped cleanly =="
