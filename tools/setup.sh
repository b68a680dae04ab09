#!/usr/bin/env bash
# Installs what building and testing Ombrix needs on Debian 12. Safe to run again:
# it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  cmake make g++ clang clang-format clang-tidy libclang-rt-14-dev zip python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  googletest
  wine64 xvfb xauth x11-utils
  locales fonts-wqy-microhei fonts-wine
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine reports the ANSI code page from the locale: zh_CN.UTF-8 gives 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
