# Sourced by the test and picture scripts: a Wine prefix of the project's own,
# never the user's. $1: the prefix folder.
preparar_prefijo() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # No Mono or Gecko: the program needs neither, and asking for them hangs.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.pulsafina" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pulsafina"
  fi
}

# Without a window manager Wine waits about 2 s at every hidden window unless
# its windows are unmanaged; a private X server has none. For the prefixes of
# the tests and the pictures only: on a desktop it would take the window away
# from the window manager.
sin_gestor_de_ventanas() {
  if [ ! -f "$WINEPREFIX/.sin-gestor" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.sin-gestor"
  fi
}

# A private X server: Xvfb picks a free display number and tells it on fd 3.
# Sets xvfb_pid and DISPLAY. Extra arguments go to Xvfb. It keeps its state
# (the keyboard layout among it) when the last client leaves.
pantalla_propia() {
  local archivo
  archivo="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 "${PULSAFINA_PANTALLA:-1280x1024x24}" -nolisten tcp -noreset "$@" 3>"$archivo" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$archivo" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$archivo")"
  rm -f "$archivo"
  # A desktop session loads a resource database into its X server (Debian's
  # Xsession loads this very line). Without one, Xlib looks for ~/.Xdefaults
  # again at every font that Wine selects into a window's DC, and the rich
  # text panes would cost several times what they cost on a desktop.
  echo '*customization: -color' | xrdb -merge -nocpp >/dev/null 2>&1 || true
}

# A private X server and Wine prefix for a test or benchmark script, with
# unmanaged windows, both stopped when the script exits: the prefix's own
# wineserver (never the user's Wine) and the X server. $1: the prefix folder.
banco_privado() {
  prefijo_privado="$1"
  xvfb_pid=""
  trap 'WINEPREFIX="$prefijo_privado" wineserver -k >/dev/null 2>&1 || true
        [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true' EXIT
  pantalla_propia
  preparar_prefijo "$prefijo_privado"
  sin_gestor_de_ventanas
}

# Web addresses go to a recorder ($1, an exe) instead of a browser, in the
# current prefix only: the tests read back the pages that the program opened,
# and no browser starts. This Wine reads only the machine's classes; Windows
# would let the user's take precedence, so both are set.
anotar_direcciones() {
  local anotador clave
  anotador="$(winepath -w "$1")"
  for clave in 'HKCR\http\shell\open\command' 'HKCU\Software\Classes\http\shell\open\command'; do
    wine reg add "$clave" /ve /d "\"$anotador\" \"%1\"" /f >/dev/null 2>&1
  done
}

# Builds the program, the bare window and the pane reader of the benchmark
# commands into $1, after setting up what they need.
compilar_para_medir() {
  local fuente
  fuente="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  bash "$fuente/tools/preparar.sh"
  echo "Compilando en $1 ..."
  cmake -S "$fuente" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$fuente/cmake/mingw-w64-x86_64.cmake" \
        -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$1" --target pulsafina ventana_desnuda leer_paneles -j"$(nproc)" >/dev/null
}
