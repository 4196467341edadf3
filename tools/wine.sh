# Sourced by the run and test scripts: a Wine prefix of the project's own.
# $1: the prefix folder.
preparar_prefijo() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # No Mono or Gecko: the program needs neither, and asking for them hangs.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.pulsafina" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits about 2 s at every hidden window
    # unless its windows are unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pulsafina"
  fi
}
