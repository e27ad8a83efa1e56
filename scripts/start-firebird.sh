#!/usr/bin/env bash
# Starts the local Firebird server when it is not listening on 127.0.0.1:3050.
# Tests that go through the server need it; the embedded engine does not.
set -euo pipefail
if ! (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
  # A session of its own: the server outlives the shell or job that started
  # it, whose end would otherwise take the server down with it.
  setsid /etc/init.d/firebird3.0 start >/dev/null </dev/null || true
  for _ in $(seq 1 50); do
    (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null && exit 0
    sleep 0.2
  done
  echo "Firebird server did not start on 127.0.0.1:3050" >&2
  exit 1
fi
