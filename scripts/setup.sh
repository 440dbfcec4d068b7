#!/usr/bin/env bash
# Installs every package the build, the tests and the program need, on Debian 12 or 13 or
# Ubuntu 24.04. Idempotent: does nothing when everything is already there. The libFuzzer runtime
# is named after the LLVM version of the system's clang, so it is chosen by what apt offers.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  qt6-translations-l10n libjpeg-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format
  ccache fonts-liberation xvfb xauth xdotool imagemagick
  dpkg-dev lintian desktop-file-utils appstream man-db
  libhunspell-dev hunspell-es hunspell-ca
  libespeak-ng-dev espeak-ng-data qt6-multimedia-dev libsndfile1-dev sox
  gettext locales shared-mime-info xdg-utils libfile-mimeinfo-perl
)

# The LLVM version of clang, installed or offered: 14 on Debian 12, 19 on Debian 13.
llvm_version() {
  if command -v clang >/dev/null; then
    clang -dumpversion | cut -d. -f1
  else
    apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -1
  fi
}
# libFuzzer and the sanitizer runtimes: those of these names that the release has.
fuzz_packages() {
  local version=$1 p
  for p in "libfuzzer-$version-dev" "libclang-rt-$version-dev"; do
    apt-cache show --no-all-versions "$p" >/dev/null 2>&1 && echo "$p"
  done
  return 0
}
missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

version=$(llvm_version)
mapfile -t wanted < <(missing "${packages[@]}")
if [ -n "$version" ]; then
  mapfile -t fuzz < <(fuzz_packages "$version")
  mapfile -t wanted_fuzz < <(missing "${fuzz[@]}")
  # Nothing offered at all: the package lists may be stale, so ask again after an update.
  [ ${#fuzz[@]} -eq 0 ] && wanted_fuzz=(unknown)
fi
[ -n "$version" ] && [ ${#wanted[@]} -eq 0 ] && [ ${#wanted_fuzz[@]} -eq 0 ] && exit 0

$sudo apt-get update -qq
version=$(llvm_version)
[ -n "$version" ] || { echo "setup: apt offers no clang" >&2; exit 1; }
mapfile -t fuzz < <(fuzz_packages "$version")
[ ${#fuzz[@]} -gt 0 ] || { echo "setup: apt offers no libFuzzer for clang $version" >&2; exit 1; }
mapfile -t wanted < <(missing "${packages[@]}" "${fuzz[@]}")
[ ${#wanted[@]} -eq 0 ] || $sudo apt-get install -y -qq --no-install-recommends "${wanted[@]}"
