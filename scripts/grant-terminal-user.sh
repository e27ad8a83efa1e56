#!/usr/bin/env bash
# Makes the database user the terminal service logs in as, with exactly the
# rights the terminal commands need in one shop database:
#   scripts/grant-terminal-user.sh DATABASE USER PASSWORD
# DATABASE is the connection string, as in the settings file ("IP:LOCAL",
# for example 127.0.0.1:/var/lib/quorvel/Dados/DBEMPRESA.FDB).
#
# The script logs in as ISC_USER / ISC_PASSWORD from the environment when
# both are set (SYSDBA, or the database's owner when the user already exists
# with that password); otherwise as SYSDBA with the password Debian keeps in
# /etc/firebird/3.0/SYSDBA.password (readable by root only). Creating or
# changing the user needs SYSDBA; the rights themselves (schema/terminal-user.sql)
# and the terminals' own table they cover (schema/tab-creation.sql) need
# SYSDBA or the owner. Running it again sets the password and the
# rights afresh. Passwords go to the tools through the environment and
# standard input, never on a command line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

fail() {
  echo "grant-terminal-user: $*" >&2
  exit 1
}

[ $# -eq 3 ] || {
  echo "usage: scripts/grant-terminal-user.sh DATABASE USER PASSWORD" >&2
  exit 2
}
database=$1
user=${2^^}
password=$3

# The name goes into SQL text as it stands, so only a plain name passes.
[[ $user =~ ^[A-Z][A-Z0-9_]{0,30}$ ]] || fail "the user name must be a letter then letters, digits or _ (at most 31): $2"
case $user in
  SYSDBA | PUBLIC) fail "$user cannot be the terminal user" ;;
esac
[ -n "$password" ] || fail "the password is empty"
[[ $password != *[[:cntrl:]]* ]] || fail "the password holds a control character"
[[ $database != -* ]] || fail "the database must be a connection string: $database"
quoted_password=${password//\'/\'\'}

if [ -z "${ISC_USER:-}" ] || [ -z "${ISC_PASSWORD:-}" ]; then
  admin_file=/etc/firebird/3.0/SYSDBA.password
  [ -r "$admin_file" ] || fail "set ISC_USER and ISC_PASSWORD (SYSDBA or the database's owner): $admin_file is not readable"
  # shellcheck disable=SC1090
  . "$admin_file"
fi
export ISC_USER ISC_PASSWORD

# isql as the administrator login, statements on standard input; its
# messages go to standard error, but for the notice that a user without
# rights had none to take away.
run_sql() {
  isql-fb -q -bail "$database" 2>&1 >/dev/null | { grep -v '^Warning: ALL on ALL is not granted' || true; } >&2
}

# A login that already works with this password is left as it is.
if ! ISC_USER=$user ISC_PASSWORD=$password isql-fb -q -bail "$database" </dev/null >/dev/null 2>&1; then
  run_sql <<SQL || fail "could not create or change the user $user (this needs SYSDBA)"
CREATE OR ALTER USER $user PASSWORD '$quoted_password' USING PLUGIN Srp;
COMMIT;
SQL
fi

# The terminals' own table first: the rights cover it.
run_sql <"$root/schema/tab-creation.sql" || fail "could not make the terminals' table COMANDASCRIACAO in $database"
sed "s/\bTERMINAL_USER\b/$user/g" "$root/schema/terminal-user.sql" | run_sql ||
  fail "could not grant the rights on $database"
echo "grant-terminal-user: $user may run the terminal commands on $database"
