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
}
