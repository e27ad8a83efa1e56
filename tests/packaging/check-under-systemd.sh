#!/usr/bin/env bash
# The Debian package installed and run as a shop's technician would, under a
# booted systemd: a minimal Debian 12 tree with systemd, booted with
# systemd-nspawn, the freshly built package installed in it with apt, a
# demonstration database on this machine's Firebird server and two
# simulated terminals on loopback (the container shares this machine's
# network). One line per check, "ok   ..." or "FAIL ..."; exit status 1 when
# any check failed.
#   bash tests/packaging/check-under-systemd.sh [BUILD_DIR]
# Needs root, debootstrap and systemd-container (scripts/install-deps.sh).
# The tree is made once and kept in QUORVEL_SYSTEMD_CACHE (default
# /var/cache/quorvel-systemd-test); each run boots a throw-away overlay of
# it. The tree's packages come from the Debian mirror this machine's apt
# uses (QUORVEL_DEBIAN_MIRROR names another).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")
cache=${QUORVEL_SYSTEMD_CACHE:-/var/cache/quorvel-systemd-test}
tree=$cache/bookworm
started=$SECONDS

say() { echo "check-under-systemd: $*" >&2; }
[ "$(id -u)" -eq 0 ] || { say "needs root (debootstrap, systemd-nspawn, mounts)"; exit 1; }
for tool in debootstrap systemd-nspawn nsenter isql-fb; do
  command -v "$tool" >/dev/null || { say "$tool is missing (scripts/install-deps.sh)"; exit 1; }
done

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
# Asks the condition every 0.2 s until it holds; false once `limit` seconds
# are over.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# The package's dependencies as apt-get names them (versions and
# alternatives left out).
package_dependencies() {
  dpkg-deb -f "$1" Depends Recommends | sed 's/^[A-Za-z-]*: //' | tr ',' '\n' |
    sed -E 's/\|.*//; s/\(.*\)//; s/[[:space:]]//g' | grep -v '^$' | sort -u
}

debian_mirror() {
  if [ -n "${QUORVEL_DEBIAN_MIRROR:-}" ]; then
    echo "$QUORVEL_DEBIAN_MIRROR"
    return
  fi
  sed -nE -e 's#^URIs:[[:space:]]+(https?://[^[:space:]]+/debian)/?([[:space:]].*)?$#\1#p' \
    -e 's#^deb([[:space:]]+\[[^]]*\])?[[:space:]]+(https?://[^[:space:]]+/debian)/?[[:space:]]+bookworm[[:space:]].*#\2#p' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list 2>/dev/null |
    head -n 1 || true # some of the files may not be there
}

# Debian 12 with systemd, logrotate and the package's dependencies, so that
# a run installs the package without downloading anything.
make_tree() {
  local partial=$tree.partial mirror
  mirror=$(debian_mirror)
  [ -n "$mirror" ] || { say "no Debian mirror found in /etc/apt; set QUORVEL_DEBIAN_MIRROR"; exit 1; }
  say "making the Debian 12 tree in $tree from $mirror (once per machine)"
  mkdir -p "$cache"
  rm -rf "$partial"
  local begun=$SECONDS
  debootstrap --variant=minbase --include=systemd,systemd-sysv,dbus,logrotate bookworm "$partial" "$mirror" \
    >"$cache/debootstrap.log" 2>&1 || { tail -n 20 "$cache/debootstrap.log" >&2; say "debootstrap failed"; exit 1; }
  # shellcheck disable=SC2046
  systemd-nspawn -q -D "$partial" --register=no --keep-unit --setenv=DEBIAN_FRONTEND=noninteractive \
    sh -c "apt-get update -q && apt-get install -y -q $(package_dependencies "$package" | tr '\n' ' ')" \
    >>"$cache/debootstrap.log" 2>&1 || { tail -n 20 "$cache/debootstrap.log" >&2; say "dependencies not installed"; exit 1; }
  mv "$partial" "$tree"
  say "tree made in $((SECONDS - begun)) s"
}

package=$(bash "$root/scripts/package.sh" "$build" | tail -n 1)
[ -x "$tree/usr/lib/systemd/systemd" ] || make_tree

run=$(mktemp -d /var/tmp/quorvel-systemd.XXXXXX)
chmod 0755 "$run" # the database server creates the shop database in it as its own user
box=$run/root
nspawn=
simulators=()
cleanup() {
  for simulator in "${simulators[@]}"; do kill "$simulator" 2>/dev/null || true; done
  if [ -n "$nspawn" ] && kill -0 "$nspawn" 2>/dev/null; then
    kill -TERM "$nspawn" # a booted container powers off
    for _ in $(seq 1 150); do kill -0 "$nspawn" 2>/dev/null || break; sleep 0.2; done
    kill -KILL "$nspawn" 2>/dev/null || true
  fi
  if mountpoint -q "$box"; then umount "$box" || umount -l "$box"; fi
  mountpoint -q "$box" || rm -rf "$run"
}
trap cleanup EXIT

mkdir -p "$run/upper" "$run/work" "$box"
if ! mount -t overlay overlay -o "lowerdir=$tree,upperdir=$run/upper,workdir=$run/work" "$box" 2>"$run/mount.err"; then
  say "no overlay mount ($(cat "$run/mount.err")); copying the tree"
  rmdir "$box"
  cp -a --reflink=auto "$tree" "$box"
fi

# --- this machine's side: the database and two simulated terminals ------
"$root/scripts/start-firebird.sh" >/dev/null
"$root/tests/support/prepare-test-server.sh" >/dev/null
user=${QUORVEL_TEST_USER:-QUORVEL_TEST}
password=${QUORVEL_TEST_PASSWORD:-qztest}
database=$run/dados/shop.fdb
"$root/scripts/make-demo-db.sh" --login "$user" "$password" "$database" >/dev/null
sql() { printf 'SET HEADING OFF;\n%s;\n' "$1" | isql-fb -q -user "$user" -password "$password" "127.0.0.1:$database" | tr -d '[:space:]'; }
items_of_tab() { sql "SELECT COUNT(*) FROM COMANDASITENS I JOIN COMANDAS C ON C.COM_CODIGO = I.COM_CODIGO WHERE C.COM_NUMERO = $1"; }

port=
for candidate in $(shuf -i 20000-60000 -n 50); do
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || { say "no free loopback port"; exit 1; }
# A simulated terminal whose keys this script types through a pipe; its
# display goes to NAME.out.
declare -A keys pids
start_terminal() {
  local name=$1 address=$2 fd
  mkfifo "$run/$name.keys"
  exec {fd}<>"$run/$name.keys"
  keys[$name]=$fd
  "$build/bin/terminal-simulator" --listen "$address:$port" --headless --linger 600000 \
    <"$run/$name.keys" >"$run/$name.out" 2>"$run/$name.err" &
  simulators+=($!)
  pids[$name]=$!
}
type_keys() { echo "$2" >&"${keys[$1]}"; }
shows() { grep -qF -- "$2" "$run/$1.out"; }
shows_times() { [ "$(grep -cF -- "$2" "$run/$1.out")" -ge "$3" ]; }
start_terminal first 127.0.0.1
start_terminal second 127.0.0.2

# --- the container -------------------------------------------------------
systemd-nspawn -D "$box" -b --console=passive --register=no --keep-unit >"$run/nspawn.log" 2>&1 &
nspawn=$!
leader=
find_leader() { leader=$(pgrep -x -P "$nspawn" systemd | head -n 1); [ -n "$leader" ]; }
inside() { nsenter -t "$leader" -a env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
# Its systemd answers only once its own bus is up; then it waits for the
# boot to end.
system_up() {
  local state
  state=$(timeout 120 nsenter -t "$leader" -a systemctl is-system-running --wait 2>/dev/null) || true
  [ "$state" = running ] || [ "$state" = degraded ]
}
booted() {
  if ! wait_for 60 find_leader || ! wait_for 120 system_up; then
    cat "$run/nspawn.log" >&2
    return 1
  fi
}
if ! booted; then
  fail "Debian 12 booted with systemd-nspawn"
  exit 1
fi
pass "Debian 12 booted with systemd-nspawn"

unit() { inside systemctl show -P "$1" quorvel; }
journal() { inside journalctl -u quorvel --no-pager -o cat "$@"; }
status_is() { [[ "$(unit StatusText)" == "$1" ]]; }

installed() {
  cp "$package" "$box/root/quorvel.deb"
  inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -q /root/quorvel.deb >"$run/apt.log" 2>&1 ||
    inside sh -c 'apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q /root/quorvel.deb' \
      >>"$run/apt.log" 2>&1 || { tail -n 20 "$run/apt.log" >&2; return 1; }
  inside getent passwd quorvel >/dev/null && [ "$(inside systemctl is-enabled quorvel)" = disabled ] &&
    [ "$(unit ActiveState)" = inactive ]
}
check "apt-get install of $(basename "$package"): user quorvel made, unit installed disabled and stopped" installed

# Settings as a technician writes them: the terminal list with the first
# terminal, the database on this machine's server. A drop-in turns the key
# log on and shortens the watchdog so its restart is seen within seconds.
write_inside() { inside sh -c "cat > '$1'"; }
terminal_list() {
  printf '[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=%s\n' "$port"
  printf '%s\n' "$@"
}
connection() {
  printf '[IBCONFIG]\nIP=127.0.0.1\nLOCAL=%s\nUSUARIO=%s\nSENHA=%s\nUSACONFIG=1\n' "$1" \
    "$(inside quorvel-scramble "$user")" "$(inside quorvel-scramble "$password")"
}
terminal_list 0=127.0.0.1 | write_inside /etc/quorvel/BemaSB32.ini
connection "$run/dados/missing.fdb" | write_inside /etc/quorvel/Quorvel.ini
inside mkdir -p /etc/systemd/system/quorvel.service.d
printf '[Service]\nExecStart=\nExecStart=/usr/lib/quorvel/Quorvel --headless --key-log\nWatchdogSec=10s\n' |
  write_inside /etc/systemd/system/quorvel.service.d/check.conf
inside systemctl daemon-reload

never_active_without_database() {
  ! inside systemctl start quorvel 2>/dev/null && [ "$(unit ActiveEnterTimestampMonotonic)" = 0 ]
}
check "without a reachable database the start fails and the unit is never active" never_active_without_database
inside systemctl stop quorvel || true
inside systemctl reset-failed quorvel 2>/dev/null || true

connection "$database" | write_inside /etc/quorvel/Quorvel.ini
active_after_ready() {
  inside systemctl enable --now quorvel 2>/dev/null || return 1
  # The start job ends with READY=1, which carries the first status sentence.
  [ "$(unit ActiveState)" = active ] && [ "$(unit SubState)" = running ] && [[ "$(unit StatusText)" == "1 terminal: "* ]]
}
check "systemctl enable --now: active once READY=1 came, with its status sentence" active_after_ready
check "status line: 1 terminal: 1 conectado · 0 comandos" wait_for 60 status_is "1 terminal: 1 conectado · 0 comandos"
status_shown() { inside systemctl status quorvel --no-pager | grep -qF "Status: \"1 terminal: 1 conectado"; }
check "systemctl status shows it" status_shown

command_answered_and_stored() {
  wait_for 60 shows first "DISPLAY Comanda:|||" || return 1
  type_keys first "C12<13>"
  wait_for 60 shows first "DISPLAY Comanda 12:|||" || return 1
  type_keys first "7891000100110<13>"
  wait_for 60 shows_times first "DISPLAY Comanda 12:|||" 2 || return 1
  [ "$(items_of_tab 12)" = 1 ] && wait_for 30 status_is "1 terminal: 1 conectado · 2 comandos"
}
check "a tab opened and a product added on a simulated terminal: answered, stored, counted" command_answered_and_stored

priorities_in_journal() {
  journal -p 3..3 | grep -q "^Erro ao conectar" && ! journal -p 3..3 | grep -q "^terminal 0: " &&
    journal -p 6..6 | grep -q "^terminal 0: Comando: C12 / Retorno:000-"
}
check "error lines reach the journal as errors (priority 3), status lines as information" wait_for 30 priorities_in_journal

journal_shows() { journal | grep -qF -- "$1"; }
reload_adds_terminal() {
  terminal_list 0=127.0.0.1 1=127.0.0.2 | write_inside /etc/quorvel/BemaSB32.ini
  inside systemctl reload quorvel || return 1
  wait_for 60 status_is "2 terminais: 2 conectados · 2 comandos" || return 1
  wait_for 30 journal_shows "configurações recarregadas: 1 terminal iniciado, 0 parados, 1 mantido" || return 1
  wait_for 60 shows second "DISPLAY Comanda:|||" || return 1
  # The first terminal kept its tab: the next product goes to tab 12.
  type_keys first "7891000100110<13>"
  wait_for 60 shows_times first "DISPLAY Comanda 12:|||" 3 && [ "$(items_of_tab 12)" = 2 ]
}
check "systemctl reload adds the second terminal; the first keeps its tab 12" reload_adds_terminal

status_query() {
  local answer
  answer=$(inside Quorvel --status) || return 1
  echo "$answer" >"$run/status.txt"
  [ "$(wc -l <<<"$answer")" = 2 ] &&
    grep -q "^terminal 0 127.0.0.1: conectado desde .* · comanda 12 · último comando 7891000100110, resposta 000, " <<<"$answer" &&
    grep -q "^terminal 1 127.0.0.2: conectado desde " <<<"$answer"
}
check "Quorvel --status lists both terminals, the first with its tab and last command" wait_for 30 status_query
status_only_for_group() {
  local group
  group=$(inside getent group quorvel | cut -d: -f3)
  inside setpriv --reuid=65534 --regid=65534 --groups="$group" /usr/bin/Quorvel --status >/dev/null || return 1
  local status=0
  inside setpriv --reuid=65534 --regid=65534 --clear-groups /usr/bin/Quorvel --status >/dev/null 2>&1 || status=$?
  [ "$status" = 4 ]
}
check "the state is readable in the quorvel group and refused (exit 4) outside it" status_only_for_group

key_log_rotated() {
  inside grep -q "#LOG: COMANDO RECEBIDO" /var/lib/quorvel/teclas.txt || return 1
  local before
  before=$(inside stat -c %U:%G:%a /var/lib/quorvel/teclas.txt)
  inside logrotate -f /etc/logrotate.d/quorvel >&2 || return 1
  type_keys second "C14<13>"
  wait_for 60 shows second "DISPLAY Comanda 14:|||" || { echo "second terminal: $(tail -n 3 "$run/second.out")" >&2; return 1; }
  wait_for 30 inside grep -q "COMANDO DECODIFICADO - C14#" /var/lib/quorvel/teclas.txt ||
    { inside ls -l /var/lib/quorvel >&2; return 1; }
  if inside grep -q "C14#" /var/lib/quorvel/teclas.txt.1 || ! inside grep -q "C12#" /var/lib/quorvel/teclas.txt.1 ||
    [ "$(inside stat -c %U:%G:%a /var/lib/quorvel/teclas.txt)" != "$before" ]; then
    inside ls -l /var/lib/quorvel >&2
    return 1
  fi
}
check "logrotate rotates the key log and the service writes on into the new file" key_log_rotated

status_query_shows() { inside Quorvel --status | grep -q "$1"; }
second_away() {
  kill "${pids[second]}"
  wait_for 60 status_query_shows "^terminal 1 127.0.0.2: sem resposta desde " &&
    wait_for 30 status_is "2 terminais: 1 conectado, 1 sem resposta · 4 comandos"
}
check "a terminal switched off is \"sem resposta\" in Quorvel --status and the status line" second_away

restarted_once() { [ "$(unit NRestarts)" = 1 ] && [ "$(unit ActiveState)" = active ]; }
watchdog_restart() {
  local stopped
  stopped=$(unit MainPID)
  inside sh -c "kill -STOP $stopped"
  wait_for 90 restarted_once &&
    [ "$(unit MainPID)" != "$stopped" ] && journal | grep -qF "Failed with result 'watchdog'"
}
check "SIGSTOP of the service: the watchdog ends it and it is restarted" watchdog_restart

security() {
  local exposure
  exposure=$(inside systemd-analyze security quorvel --no-pager 2>&1 | sed -n 's/.*Overall exposure level for [^:]*: \([0-9.]*\).*/\1/p')
  echo "systemd-analyze security quorvel: $exposure" >"$run/security.txt"
  [ -n "$exposure" ] && awk -v e="$exposure" 'BEGIN { exit !(e <= 2.0) }'
}
check "systemd-analyze security quorvel there: at most 2.0" security

clean_stop() {
  inside systemctl stop quorvel || return 1
  [ "$(unit Result)" = success ] && [ "$(unit ExecMainStatus)" = 0 ] && [ "$(unit ActiveState)" = inactive ] &&
    ! inside test -e /run/quorvel
}
check "systemctl stop ends it cleanly (exit 0, no time-out, runtime folder gone)" clean_stop
no_service_status() {
  local answer status=0
  answer=$(inside Quorvel --status) || status=$?
  [ "$status" = 3 ] && [ "$(wc -l <<<"$answer")" = 1 ] && [[ "$answer" == "nenhum serviço em execução para "* ]]
}
check "Quorvel --status with the service stopped: one line, exit 3" no_service_status

purged() {
  inside rm -r /etc/systemd/system/quorvel.service.d
  inside env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q quorvel >>"$run/apt.log" 2>&1 || return 1
  local left
  left=$(inside find /etc /usr /var /run -name '*quorvel*' 2>/dev/null | grep -v '^/var/log/journal' || true)
  [ -z "$left" ] || { echo "left after purge: $left" >&2; return 1; }
  inside getent passwd quorvel >/dev/null && inside getent group quorvel >/dev/null
}
check "apt-get purge: nothing of the package left but the quorvel user and group" purged

[ "$failures" -eq 0 ] || { cat "$run/status.txt" "$run/security.txt" 2>/dev/null >&2 || true; }
say "$failures failed, $((SECONDS - started)) s"
[ "$failures" -eq 0 ]
