#!/usr/bin/env bash
# Checks the Debian package without installing anything: builds it, extracts it into a temporary
# folder, validates its desktop entries and AppStream metainfo, runs lintian, checks what it
# recommends and the MIME type of sets (in temporary caches), and runs the extracted programs.
# The extracted tildora opens a sample set given on its command line, and is driven under Xvfb
# as a learner would: File, New, then the bare name of a sample set typed into the open dialog.
# The set opens, and the caption names it, only when the dialog's first folder is the extracted
# samples folder.
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
for idioma in es ca@valencia; do
  comprueba "tildora-tool speaks $idioma: its catalogue and manual page" \
    test -f "$raiz/usr/share/locale/$idioma/LC_MESSAGES/tildora-tool.mo" -a \
    -f "$raiz/usr/share/man/$idioma/man1/tildora-tool.1.gz"
done
for muestra in castellano valenciano; do
  comprueba "tildora-tool accepts the sample set $muestra" \
    "$raiz/usr/bin/tildora-tool" check "$raiz/usr/share/tildora/samples/$muestra.preg"
done

comprueba "the package recommends the Castellano and Valenciano dictionaries" \
  bash -c "dpkg-deb -f '$paquete' Recommends | grep -qw hunspell-es &&
    dpkg-deb -f '$paquete' Recommends | grep -qw hunspell-ca"

# The package's MIME type as a desktop would see it once the triggers have run, in temporary
# caches: a set in any case is one, Tildora opens it and the editor is offered next.
tipo_de_conjunto() {
  local datos=$raiz/xdg/datos
  mkdir -p "$datos" "$raiz/xdg/config"
  cp -r "$raiz/usr/share/mime" "$raiz/usr/share/applications" "$datos/"
  update-mime-database "$datos/mime"
  update-desktop-database "$datos/applications"
  cp "$raiz/usr/share/tildora/samples/castellano.preg" "$raiz/xdg/COPIA.PREG"
  local -a xdg=(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_DIRS="$datos"
    XDG_DATA_HOME="$raiz/xdg/casa" XDG_CONFIG_HOME="$raiz/xdg/config" XDG_CONFIG_DIRS="$raiz/xdg/config")
  for fichero in "$raiz/usr/share/tildora/samples/valenciano.preg" "$raiz/xdg/COPIA.PREG"; do
    [ "$("${xdg[@]}" xdg-mime query filetype "$fichero")" = application/x-tildora-set ] ||
      { echo "$fichero is not a Tildora set"; return 1; }
  done
  [ "$("${xdg[@]}" xdg-mime query default application/x-tildora-set)" = org.tildora.Tildora.desktop ] &&
    grep -qx 'application/x-tildora-set=org.tildora.Tildora.desktop;org.tildora.TildoraEditor.desktop;' \
      "$datos/applications/mimeinfo.cache" &&
    compgen -G "$raiz/usr/share/icons/hicolor/*/mimetypes/application-x-tildora-set.*" >/dev/null
}
comprueba "a .preg file in any case is a Tildora set, opened by Tildora, then by the editor" \
  tipo_de_conjunto

# Polls, for windows come and go while Qt starts: the visible window named $2 of process $1.
busca_ventana() {
  for _ in $(seq 200); do
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | grep -m1 . && return
    sleep 0.1
  done
  return 1
}
# Starts the program with a sample set on its command line, as a double click does.
abre_muestra_dada() {
  local programa=$1
  "$programa" "$2" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  busca_ventana "$pid" '^Tildora: valenciano$' >/dev/null
}
comprueba "the extracted tildora opens the sample set given on its command line" \
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c "set -e; $(declare -f busca_ventana abre_muestra_dada); abre_muestra_dada \"\$1\" \"\$2\"" _ \
  "$raiz/usr/bin/tildora" "$raiz/usr/share/tildora/samples/valenciano.preg"

# Starts the program, opens the open dialog and types the bare name of a sample set into it.
abre_muestra_por_nombre() {
  local programa=$1 ventana
  "$programa" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  ventana=$(busca_ventana "$pid" '^Tildora$')
  xdotool windowfocus --sync "$ventana"
  xdotool key alt+f n
  busca_ventana "$pid" '^Abrir ficheros con preguntas$' >/dev/null
  sleep 0.5
  xdotool type --delay 20 castellano.preg
  xdotool key Return
  busca_ventana "$pid" '^Tildora: castellano$' >/dev/null
}
comprueba "the extracted tildora's open dialog starts in the extracted samples folder" \
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c "set -e; $(declare -f busca_ventana abre_muestra_por_nombre); abre_muestra_por_nombre \"\$1\"" _ "$raiz/usr/bin/tildora"

echo "package: $pasadas passed, 0 failed"
