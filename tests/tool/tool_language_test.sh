#!/usr/bin/env bash
# tildora-tool in the user's language: the locales it needs are made in a temporary LOCPATH
# (gettext ignores LANGUAGE under the C locale), then failing commands run under each.
# Usage: tool_language_test.sh TILDORA-TOOL SOURCE-FOLDER
set -euo pipefail
herramienta=$1
fuentes=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export LOCPATH=$tmp/locale
mkdir -p "$LOCPATH"
localedef -i es_ES -f UTF-8 "$LOCPATH/es_ES.UTF-8" 2>/dev/null || true
localedef -i ca_ES@valencia -f UTF-8 "$LOCPATH/ca_ES.UTF-8@valencia" 2>/dev/null || true
unset LANGUAGE LC_ALL LC_MESSAGES LANG
fallos=0
# espera DESCRIPTION STATUS EXPECTED-TEXT ENV... -- ARGUMENTS...: the exit status and a line
# of standard output or error.
espera() {
  local que=$1 estado=$2 texto=$3 salida codigo=0
  shift 3
  local -a entorno=()
  while [ "$1" != -- ]; do entorno+=("$1"); shift; done
  shift
  salida=$(env "${entorno[@]}" "$herramienta" "$@" 2>&1) || codigo=$?
  if [ "$codigo" -ne "$estado" ] || ! grep -qF -- "$texto" <<<"$salida"; then
    echo "FAILED: $que: status $codigo, wanted $estado and '$texto' in:" >&2
    echo "$salida" >&2
    fallos=$((fallos + 1))
  fi
}
printf 'tema: a\n> Un texto bastante largo y sencillo con un @hueco@ para rellenar\n\ntema: a\n> La @casa\n' \
  >"$tmp/impar.txt"
falta=$tmp/falta.txt
# The tool's own texts, from the catalogues.
espera "English by default" 1 "tildora-tool: cannot open $falta" LANG=C -- pack "$falta" -o "$tmp/s.preg"
espera "Castellano by LC_ALL" 1 "tildora-tool: no se puede abrir $falta" LC_ALL=es_ES.UTF-8 -- \
  pack "$falta" -o "$tmp/s.preg"
espera "Valenciano by LC_MESSAGES" 1 "tildora-tool: no es pot obrir $falta" \
  LC_MESSAGES=ca_ES.UTF-8@valencia -- pack "$falta" -o "$tmp/s.preg"
espera "LANGUAGE before LANG" 2 "Executeu 'tildora-tool config --help' per a vore'n l'ús." \
  LANG=es_ES.UTF-8 LANGUAGE=ca@valencia:es -- config "$tmp/s.preg"
espera "LANGUAGE ignored under the C locale" 2 "Run 'tildora-tool --help' for the commands." \
  LC_ALL=C LANGUAGE=es -- frob
espera "--help in Castellano" 0 "Uso: tildora-tool ORDEN [ARGUMENTOS]" LANG=es_ES.UTF-8 -- --help
espera "a command's --help in Valenciano" 0 "Ús: tildora-tool gaps --rule REGLA" \
  LANG=ca_ES.UTF-8@valencia -- gaps --help
# A set's problems, in the core's words for the language gettext chose.
espera "a set's problem in English" 0 "question 2: an odd number of gap marks" LANG=C -- \
  pack "$tmp/impar.txt" -o "$tmp/s.preg"
espera "a set's problem in Castellano" 0 "aviso: $tmp/impar.txt: Pregunta 2: el número de marcas de hueco" \
  LANG=es_ES.UTF-8 -- pack "$tmp/impar.txt" -o "$tmp/s.preg"
espera "a set's problem in Valenciano" 0 "avís: $tmp/impar.txt: Pregunta 2: el nombre de marques de buit" \
  LANGUAGE=ca@valencia LANG=es_ES.UTF-8 -- pack "$tmp/impar.txt" -o "$tmp/s.preg"

# Every text the tool marks is in both catalogues, and the catalogues hold nothing else.
xgettext --from-code=UTF-8 -C --keyword=Tr --keyword=N_ -o "$tmp/tool.pot" "$fuentes"/src/tool/*.cpp \
  "$fuentes"/src/tool/*.h
for catalogo in "$fuentes"/po/*.po; do
  if ! msgcmp "$catalogo" "$tmp/tool.pot" 2>"$tmp/cmp" ||
    [ -n "$(msgattrib --no-obsolete "$catalogo" | msgcomm --unique - "$tmp/tool.pot" 2>/dev/null | grep '^msgid "[^"]')" ]; then
    echo "FAILED: $(basename "$catalogo") does not match the tool's texts:" >&2
    cat "$tmp/cmp" >&2
    fallos=$((fallos + 1))
  fi
done
[ "$fallos" -eq 0 ]
