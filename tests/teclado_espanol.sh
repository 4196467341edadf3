#!/usr/bin/env bash
# Runs the Spanish keyboard's test (tests/prueba_teclado.cpp) with the X
# server's keyboard set to the Spanish layout, and puts the X server's own
# keymap back after it. Wine reads the layout when a process starts, so it is
# set before the test process starts. The X server must not reset when its
# last client leaves (Xvfb -noreset, as tools/wine.sh starts it), or the
# layout would go with it:
#   teclado_espanol.sh TESTS_EXE
# Exits with 77, which CTest reports as skipped, where the X server has no
# Spanish layout.
set -uo pipefail
pruebas="$1"
guardado="$(mktemp)"
terminar() { rm -f "$guardado"; }
trap terminar EXIT

xkbcomp -w0 -xkm "$DISPLAY" "$guardado" >/dev/null 2>&1
if ! setxkbmap -layout es 2>/dev/null; then
  echo "Omitida: el servidor X ($DISPLAY) no tiene la distribución española (setxkbmap -layout es)."
  exit 77
fi
# The test holds keys down while it looks at the screen: no repeats.
xset r off
wine "$pruebas" --gtest_filter=Teclado.UnaPersonaEscribeConUnTecladoEspanol
salida=$?
xset r on
xkbcomp -w0 "$guardado" "$DISPLAY" >/dev/null 2>&1
exit $salida
