#!/usr/bin/env bash
# Abuse of the real main window under Wine: a million reproducible random messages
# with the program's promises checked after each, then the long run (the whole
# course typed round and round), with the handles and the private bytes
# printed and compared with their values after start-up.
#
#   bash tools/abusar.sh [--semilla S] [--hasta N] [--mensajes M] [--solo-recorrido] [--vueltas R]
#
# Without options: 1,000,000 messages of a starting number from the clock, then the long run
# of 10 rounds. --semilla S --hasta N replays a failure up to message N and shows
# it; --mensajes M sets the number of messages; --solo-recorrido runs the long run alone;
# --vueltas R its rounds. Builds into build-pruebas/ and uses its Wine prefix,
# like tools/probar.sh, in a private X server; stops all it starts.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="${PULSAFINA_OBRA:-$raiz/build-pruebas}"

argumentos=()
solo_recorrido=0
parar=0
while [ $# -gt 0 ]; do
  case "$1" in
    --semilla|--mensajes|--vueltas) argumentos+=("$1" "$2"); shift 2 ;;
    --hasta) argumentos+=("$1" "$2"); parar=1; shift 2 ;;
    --solo-recorrido) solo_recorrido=1; shift ;;
    *) echo "Uso: bash tools/abusar.sh [--semilla S] [--hasta N] [--mensajes M] [--solo-recorrido] [--vueltas R]" >&2; exit 2 ;;
  esac
done
if [ "$solo_recorrido" = 1 ]; then
  argumentos+=(--solo-recorrido)
elif [ "$parar" = 0 ]; then
  argumentos+=(--recorrido)
fi

bash "$raiz/tools/preparar.sh"
echo "Compilando en $obra ..."
cmake -S "$raiz" -B "$obra" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$obra" --target abusar anotar_direccion -j"$(nproc)" >/dev/null

. "$raiz/tools/wine.sh"
banco_privado "$obra/wine"
wineserver -p >/dev/null 2>&1
# Web addresses go to the test prefix's recorder, as in tools/probar.sh: the
# dialogs' commands open pages too, and no browser may start.
anotar_direcciones "$obra/tests/anotar_direccion.exe"

wine "$obra/tests/abusar.exe" "${argumentos[@]}"
