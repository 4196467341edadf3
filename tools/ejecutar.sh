#!/usr/bin/env bash
# Builds Pulsafina when its sources have changed and starts it on the user's
# display through the same launcher that gets installed
# (packaging/linux/pulsafina.sh), in the user's own Wine prefix.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="$raiz/build"
exe="$obra/pulsafina.exe"

if [ -z "${DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY vacía): ejecútalo en una sesión gráfica, o con 'xvfb-run -a bash tools/ejecutar.sh'." >&2
  exit 1
fi
bash "$raiz/tools/preparar.sh"

# Nothing newer than the exe: no CMake run, no build, the window at once.
nuevo=""
if [ -f "$exe" ]; then
  nuevo="$(find "$raiz/CMakeLists.txt" "$raiz/cmake" "$raiz/app" "$raiz/practice" "$raiz/lessons" \
               "$raiz/screen" "$raiz/options" "$raiz/resources" -newer "$exe" -print -quit)"
fi
if [ ! -f "$exe" ] || [ -n "$nuevo" ]; then
  registro="$obra/compilacion.log"
  mkdir -p "$obra"
  if [ ! -f "$obra/CMakeCache.txt" ]; then
    echo "Compilando Pulsafina por primera vez; tarda un par de minutos…"
  else
    echo "Compilando los cambios de Pulsafina…"
  fi
  if ! { [ -f "$obra/CMakeCache.txt" ] ||
         cmake -S "$raiz" -B "$obra" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" \
               -DBUILD_TESTING=OFF; } >"$registro" 2>&1 ||
     ! cmake --build "$obra" --target pulsafina -j"$(nproc)" >>"$registro" 2>&1; then
    tail -n 20 "$registro" >&2
    echo "La compilación ha fallado; el detalle completo está en $registro." >&2
    exit 1
  fi
fi

PULSAFINA_EXE="$exe" exec sh "$raiz/packaging/linux/pulsafina.sh" "$@"
