#!/usr/bin/env bash
# Builds Pulsafina and its tests and runs every test under Wine, in a private
# X server and Wine prefix, with one persistent wineserver. Stops all it starts.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="${PULSAFINA_OBRA:-$raiz/build-pruebas}"

bash "$raiz/tools/preparar.sh"
cmake -S "$raiz" -B "$obra" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$obra" -j"$(nproc)"

prefijo="$obra/wine"
xvfb_pid=""
# Stops only this prefix's wineserver, whatever WINEPREFIX held when the
# script stopped: never the user's own Wine.
terminar() {
  WINEPREFIX="$prefijo" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap terminar EXIT

. "$raiz/tools/wine.sh"
pantalla_propia
preparar_prefijo "$prefijo"
sin_gestor_de_ventanas
wineserver -p >/dev/null 2>&1
# The first program in a fresh wineserver starts Wine's own background
# processes (services, the desktop); started here, they hold no test's output
# open, which would keep CTest waiting for that test to end.
wine "$obra/tests/pulsafina_pruebas.exe" --gtest_filter=Ventana.LosBotonesTienenSusNumeros >/dev/null 2>&1 || true

# Web addresses go to a recorder instead of a browser, in this prefix only: the
# tests read back the pages that the program opened, and no browser starts.
# This Wine reads only the machine's classes; Windows would let the user's
# take precedence, so both are set.
anotador="$(winepath -w "$obra/tests/anotar_direccion.exe")"
for clave in 'HKCR\http\shell\open\command' 'HKCU\Software\Classes\http\shell\open\command'; do
  wine reg add "$clave" /ve /d "\"$anotador\" \"%1\"" /f >/dev/null 2>&1
done

cd "$obra"
ctest --output-on-failure -j2 "$@"
