#!/usr/bin/env bash
# What `make screenshot` needs beyond tools/setup.sh: ImageMagick for capturing the X screen (import)
# and for the picture's final touches (convert). Safe to run again: apt-get runs only when it is missing.
set -euo pipefail

bash "$(dirname "${BASH_SOURCE[0]}")/../setup.sh"
# Asked of dpkg, not of PATH: a convert command on PATH need not be ImageMagick's.
if ! dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q 'install ok installed'; then
  echo "setup: installing imagemagick"
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends imagemagick
fi
