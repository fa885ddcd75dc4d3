#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and benchmark.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libncursesw5-dev libncurses-dev
  libcurl4-openssl-dev libzip-dev libcups2-dev
  libfbclient2 firebird3.0-server-core firebird-dev firebird3.0-utils
  clang libclang-rt-14-dev
  # benchmark peers
  sqlite3 libsqlite3-dev libxbase64-dev
  # tests
  tmux zip unzip python3 python3-dbf libdbd-xbase-perl python3-pyftpdlib
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
