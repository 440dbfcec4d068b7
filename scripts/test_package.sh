#!/usr/bin/env bash
# Checks the Debian package without installing anything: builds it, extracts it into a temporary
# folder, validates its desktop entries and AppStream metainfo, runs lintian, and runs the
# extracted programs. The extracted tildora is driven under Xvfb as a learner would: File, New,
# then the bare name of a sample set typed into the open dialog. The set opens, and the caption
# names it, only when the dialog's first folder is the extracted samples folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
BUILD_DIR=$build_dir bash scripts/package.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
paquete=$build_dir/tildora_${version}_$(dpkg --print-architecture).deb

raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT
dpkg-deb -x "$paquete" "$raiz"
# The extracted programs keep their settings and history in the temporary folder.
export XDG_DATA_HOME=$raiz/datos XDG_CONFIG_HOME=$raiz/config
pasadas=0
# comprueba WHAT COMMAND...: the command's output is shown only when it fails.
comprueba() {
  local que=$1 salida
  shift
  if ! salida=$("$@" 2>&1); then
    echo "$salida" >&2
    echo "package: FAILED: $que" >&2
    exit 1
  fi
  echo "package: ok: $que"
  pasadas=$((pasadas + 1))
}

entrada_valida() {
  local entrada=$1 avisos
  avisos=$(desktop-file-validate "$entrada") && [ -z "$avisos" ] || { echo "$avisos"; return 1; }
  local programa icono
  programa=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entrada")
  icono=$(sed -n 's/^Icon=//p' "$entrada")
  [ -x "$raiz/usr/bin/$programa" ] && compgen -G "$raiz/usr/share/icons/hicolor/*/apps/$icono.*" >/dev/null
}
for entrada in "$raiz"/usr/share/applications/*.desktop; do
  comprueba "$(basename "$entrada") is valid, its program and icon are in the package" \
    entrada_valida "$entrada"
done
metainfo=$raiz/usr/share/metainfo/org.tildora.Tildora.metainfo.xml
comprueba "the AppStream metainfo is valid and launches a desktop entry of the package" \
  bash -c "[ -f '$metainfo' ] && appstreamcli validate --no-net '$metainfo' >/dev/null &&
    appstreamcli validate-tree --no-net '$raiz' >/dev/null"
comprueba "lintian reports no error" lintian --fail-on error "$paquete"
for programa in "$raiz"/usr/bin/*; do
  nombre=$(basename "$programa")
  comprueba "$nombre --version is the project's version, without a display" \
    bash -c "[ \"\$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$programa' --version)\" = '$nombre $version' ]"
  comprueba "$nombre has its manual page" test -f "$raiz/usr/share/man/man1/$nombre.1.gz"
done
for muestra in castellano valenciano; do
  comprueba "tildora-tool accepts the sample set $muestra" \
    "$raiz/usr/bin/tildora-tool" check "$raiz/usr/share/tildora/samples/$muestra.preg"
done

# Starts the program, opens the open dialog and types the bare name of a sample set into it.
abre_muestra_por_nombre() {
  local programa=$1 ventana
  "$programa" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  # Polls, for windows come and go while Qt starts: the visible window of the program named $1.
  busca() {
    for _ in $(seq 200); do
      xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | grep -m1 . && return
      sleep 0.1
    done
    return 1
  }
  ventana=$(busca '^Tildora$')
  xdotool windowfocus --sync "$ventana"
  xdotool key alt+f n
  busca '^Abrir ficheros con preguntas$' >/dev/null
  sleep 0.5
  xdotool type --delay 20 castellano.preg
  xdotool key Return
  busca '^Tildora: castellano$' >/dev/null
}
comprueba "the extracted tildora's open dialog starts in the extracted samples folder" \
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c "set -e; $(declare -f abre_muestra_por_nombre); abre_muestra_por_nombre \"\$1\"" _ "$raiz/usr/bin/tildora"

echo "package: $pasadas passed, 0 failed"
