#!/usr/bin/env bash
# Builds Pulsafina and its tests and runs every test under Wine, in a private
# X server and Wine prefix, with one persistent wineserver. Stops all it starts.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="${PULSAFINA_OBRA:-$raiz/build-pruebas}"

bash "$raiz/tools/preparar.sh"
cmake -S "$raiz" -B "$obra" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$obra" -j"$(nproc)"

. "$raiz/tools/wine.sh"
banco_privado "$obra/wine"
wineserver -p >/dev/null 2>&1
# The first program in a fresh wineserver starts Wine's own background
# processes (services, the desktop); started here, they hold no test's output
# open, which would keep CTest waiting for that test to end.
wine "$obra/tests/pulsafina_pruebas.exe" --gtest_filter=Ventana.LosBotonesTienenSusNumeros >/dev/null 2>&1 || true
# The desktop closes a second after its last program leaves it, and a test
# that then starts slowly would start it again as its own child: this one
# stays on it until the wineserver is stopped at the end.
wine "$obra/tests/sostener_escritorio.exe" >/dev/null 2>&1 &

anotar_direcciones "$obra/tests/anotar_direccion.exe"

cd "$obra"
ctest --output-on-failure -j2 "$@"
