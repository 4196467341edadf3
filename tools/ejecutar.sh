#!/usr/bin/env bash
# Builds Pulsafina and starts it under Wine on the user's display.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"

if [ -z "${DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY vacía): ejecútalo en una sesión gráfica, o con 'xvfb-run -a bash tools/ejecutar.sh'." >&2
  exit 1
fi
bash "$raiz/tools/preparar.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" \
      -DBUILD_TESTING=OFF >/dev/null
cmake --build "$raiz/build" --target pulsafina -j"$(nproc)" >/dev/null
. "$raiz/tools/wine.sh"
preparar_prefijo "${PULSAFINA_WINEPREFIX:-$HOME/.cache/pulsafina/wine}"
exec wine "$raiz/build/pulsafina.exe"
