#!/usr/bin/env bash
# The program on Debian 13 (trixie), in chroots made with debootstrap under build/trixie: builds the
# source there with warnings as errors and runs the unit and window tests, then installs the
# package built here into a fresh Debian 13 chroot and checks that the installed program's toolbar
# shows its pictures. Needs root; takes long, so it is not part of scripts/test.sh. The base system
# and the build chroot (with its compiler cache) are kept between runs; the install chroot is new
# each time.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=trixie
carpeta=$PWD/build/$suite
base=$carpeta/base
compila=$carpeta/build
instala=$carpeta/install
# The machine's own Debian mirror.
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
mirror=${mirror:-http://deb.debian.org/debian}

[ "$(id -u)" -eq 0 ] || { echo "newer-debian: run as root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null ||
  { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap; }

montados=()
desmonta() {
  local i
  for ((i = ${#montados[@]} - 1; i >= 0; i--)); do umount -l "${montados[i]}" 2>/dev/null || true; done
  montados=()
}
trap desmonta EXIT
trap "exit 1" INT TERM
monta() {
  local raiz=$1
  mount -t proc proc "$raiz/proc" && montados+=("$raiz/proc")
  mount --bind /dev "$raiz/dev" && montados+=("$raiz/dev")
  mount -t devpts devpts "$raiz/dev/pts" && montados+=("$raiz/dev/pts")
  mount -t tmpfs tmpfs "$raiz/dev/shm" && montados+=("$raiz/dev/shm")
  cp /etc/resolv.conf "$raiz/etc/resolv.conf"
}
# dentro ROOT COMMAND: a clean environment inside the chroot, at the lowest priority (the machine is
# shared).
dentro() {
  local raiz=$1
  shift
  nice -n 19 chroot "$raiz" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive bash -c "$*"
}
# A copy of the base system, removed only when nothing is mounted inside it.
copia_base() {
  local raiz=$1
  if [ -d "$raiz" ]; then
    ! findmnt -rn -o TARGET | grep -q "^$raiz/" || { echo "newer-debian: $raiz in use" >&2; exit 1; }
    rm -rf --one-file-system "$raiz"
  fi
  cp -a "$base" "$raiz"
}

pasadas=0
hecho() { echo "newer-debian: ok: $1"; pasadas=$((pasadas + 1)); }
inicio=$SECONDS

if [ ! -f "$base/.hecho" ]; then
  rm -rf --one-file-system "$base"
  mkdir -p "$carpeta"
  echo "newer-debian: debootstrap $suite from $mirror"
  nice -n 19 debootstrap --variant=minbase "$suite" "$base" "$mirror" >"$carpeta/debootstrap.log" 2>&1 ||
    { tail -20 "$carpeta/debootstrap.log"; exit 1; }
  touch "$base/.hecho"
fi

# 1. The source, built and tested on Debian 13. Its build folder is new; the compiler cache stays.
[ -d "$compila" ] || cp -a "$base" "$compila"
rm -rf --one-file-system "$compila/src"
mkdir -p "$compila/src"
git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -xf - -C "$compila/src"
monta "$compila"
echo "newer-debian: building in $compila (log: build/$suite/build.log)"
if ! dentro "$compila" \
  'set -e; cd /src; bash scripts/setup.sh; export CCACHE_BASEDIR=/src; bash scripts/build.sh' \
  >"$carpeta/build.log" 2>&1; then
  tail -40 "$carpeta/build.log"
  echo "newer-debian: FAILED: the build on Debian 13"
  exit 1
fi
hecho "$(dentro "$compila" 'grep -m1 "^PRETTY_NAME" /etc/os-release | cut -d= -f2') builds the source with warnings as errors ($(dentro "$compila" 'g++ --version | head -1'), Qt $(dentro "$compila" 'dpkg-query -W -f="\${Version}" qt6-base-dev'))"
if ! dentro "$compila" \
  'cd /src && QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"' \
  >"$carpeta/ctest.log" 2>&1; then
  grep -E "tests failed|Failed|\*\*\*" "$carpeta/ctest.log" | tail -40
  echo "newer-debian: FAILED: the unit and window tests on Debian 13"
  exit 1
fi
hecho "the unit and window tests on Debian 13: $(grep -oE '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$carpeta/ctest.log")"
desmonta

# 2. The package built here, installed into a fresh Debian 13 with what it depends on.
echo "newer-debian: building the package here"
nice -n 19 bash scripts/package.sh >"$carpeta/package.log" 2>&1 || { tail -40 "$carpeta/package.log"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
paquete=build/tildora_${version}_$(dpkg --print-architecture).deb
copia_base "$instala"
cp "$paquete" "$instala/tmp/tildora.deb"
cp build/tests/app/toolbar_pictures_check "$instala/tmp/"
monta "$instala"
if ! dentro "$instala" \
  'apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/tildora.deb' \
  >"$carpeta/install.log" 2>&1; then
  tail -40 "$carpeta/install.log"
  echo "newer-debian: FAILED: installing $paquete on Debian 13"
  exit 1
fi
hecho "$(basename "$paquete") installs on Debian 13 with its dependencies"
dentro "$instala" 'dpkg-query -W -f="\${Status}" qt6-svg-plugins 2>/dev/null | grep -q "install ok installed"' &&
  echo "newer-debian: note: qt6-svg-plugins is installed" ||
  echo "newer-debian: note: Qt's SVG plugins (qt6-svg-plugins) are not installed"
[ "$(dentro "$instala" 'tildora --version')" = "tildora $version" ] ||
  { echo "newer-debian: FAILED: the installed tildora --version"; exit 1; }
hecho "the installed tildora starts and answers --version"
if ! salida=$(dentro "$instala" 'QT_QPA_PLATFORM=offscreen /tmp/toolbar_pictures_check' 2>&1); then
  echo "$salida"
  echo "newer-debian: FAILED: the toolbar pictures with the installed package"
  exit 1
fi
hecho "with the installed package, $(echo "$salida" | tail -1)"
desmonta

echo "newer-debian: took $(((SECONDS - inicio) / 60)) min $(((SECONDS - inicio) % 60)) s"
echo "newer-debian: $pasadas passed, 0 failed"
