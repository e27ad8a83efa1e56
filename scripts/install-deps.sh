#!/usr/bin/env bash
# Installs the Debian 12 packages Quorvel needs to build, test and run.
# Safe to run again: apt-get is only called when a package is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsystemd-dev
  qt6-base-dev libgl-dev
  firebird-dev libfbclient2 firebird3.0-server firebird3.0-utils
  googletest libgtest-dev libgmock-dev
  xvfb fonts-liberation
  locales
  systemd
  dpkg-dev file lintian
  # the package run under a booted systemd (tests/packaging/check-under-systemd.sh)
  debootstrap systemd-container
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi

# The tests read numbers under a Brazilian locale (comma as decimal separator).
if ! locale -a 2>/dev/null | grep -qix 'pt_BR\.utf-\?8'; then
  echo "Generating locale pt_BR.UTF-8"
  if grep -q '^# *pt_BR.UTF-8 UTF-8' /etc/locale.gen; then
    sed -i 's/^# *\(pt_BR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^pt_BR.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'pt_BR.UTF-8 UTF-8' >> /etc/locale.gen
  fi
  locale-gen
fi
