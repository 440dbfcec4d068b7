#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libqt6svg6 qt6-charts-dev libqt6opengl6-dev libgl-dev
  qt6-translations-l10n libjpeg-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libfuzzer-14-dev libclang-rt-14-dev
  ccache fonts-liberation xvfb xauth xdotool imagemagick
  dpkg-dev lintian desktop-file-utils appstream man-db
  libhunspell-dev hunspell-es hunspell-ca
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
