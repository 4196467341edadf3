#!/bin/sh
# pulsafina: starts the typing course, a Windows program, under Wine in a Wine
# prefix of the user's own. Installed as bin/pulsafina, with the exe in
# lib/pulsafina/ beside it; tools/ejecutar.sh runs it on a fresh build.
#
# Every failure is one line on stderr and a non-zero exit: the person starting
# it from a menu sees nothing else, so the line says what to do.
set -u

programa=pulsafina

ayuda() {
    cat <<'FIN'
Uso: pulsafina [--help]

Abre Pulsafina, el curso de mecanografía, en la pantalla del escritorio. Es un
programa de Windows y se ejecuta con Wine, en una carpeta de Wine propia:
  ${XDG_DATA_HOME:-~/.local/share}/pulsafina/wine
que se prepara sola la primera vez (alrededor de un minuto). No usa ~/.wine.

Variables de entorno:
  PULSAFINA_WINEPREFIX  otra carpeta de Wine para Pulsafina
  PULSAFINA_EXE         otro pulsafina.exe (el de una compilación, por ejemplo)

Pulsafina no escribe nada en el disco ni en el registro; lo único que crea es
esa carpeta de Wine, que se puede borrar cuando se quiera.
FIN
}

case "${1:-}" in
    -h | --help | --ayuda) ayuda; exit 0 ;;
esac

fallar() {
    printf '%s: %s\n' "$programa" "$*" >&2
    exit 1
}

avisar() {
    printf '%s: %s\n' "$programa" "$*" >&2
}

aqui=$(dirname "$(readlink -f "$0")")
exe=${PULSAFINA_EXE:-$aqui/../lib/pulsafina/pulsafina.exe}
[ -f "$exe" ] || fallar "no se encuentra $exe; vuelve a instalar Pulsafina."

command -v wine >/dev/null 2>&1 && command -v wineboot >/dev/null 2>&1 &&
    command -v wineserver >/dev/null 2>&1 ||
    fallar "falta Wine; instálalo (en Debian: sudo apt install wine wine64) y vuelve a abrir Pulsafina."

# Wine waits for ever on a display that does not answer: ask the X server first.
[ -n "${DISPLAY:-}" ] ||
    fallar "no hay pantalla (DISPLAY está vacía); abre Pulsafina desde el escritorio, o con 'xvfb-run -a pulsafina'."
if command -v xdpyinfo >/dev/null 2>&1; then
    timeout 10 xdpyinfo >/dev/null 2>&1 ||
        fallar "la pantalla $DISPLAY no responde; abre Pulsafina desde una sesión del escritorio."
else
    # Without x11-utils, a local display must at least have its socket.
    case "$DISPLAY" in
        :*)
            numero=${DISPLAY#:}
            numero=${numero%%.*}
            [ -S "/tmp/.X11-unix/X$numero" ] ||
                fallar "la pantalla $DISPLAY no existe; abre Pulsafina desde una sesión del escritorio."
            ;;
    esac
fi

[ -n "${HOME:-}" ] || fallar "HOME está vacía: no hay carpeta personal donde preparar Wine."
prefijo=${PULSAFINA_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/pulsafina/wine}
export WINEPREFIX="$prefijo"
export WINEDEBUG="${WINEDEBUG:--all}"
# The program needs neither Mono nor Gecko; offering them would stop the first
# run at a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A prefix is whole once its marker is there; one being made carries the other
# marker, so an interrupted first run is found and made again, never used.
listo="$prefijo/.pulsafina-listo"
a_medias="$prefijo/.pulsafina-a-medias"

# wineserver -w waits until the registry is on disk; timeouts keep a stuck
# Wine from hanging the launcher.
hacer_prefijo() {
    timeout 600 wineboot -i >>"$registro" 2>&1 && timeout 120 wineserver -w >>"$registro" 2>&1 &&
        [ -s "$prefijo/system.reg" ] && [ -s "$prefijo/user.reg" ] && [ -d "$prefijo/drive_c/windows" ]
}

preparar() {
    if [ -f "$a_medias" ]; then
        avisar "la preparación de Wine de una ejecución anterior quedó a medias; se prepara de nuevo."
        wineserver -k >/dev/null 2>&1
        rm -rf "$prefijo" || fallar "no se puede borrar $prefijo, que quedó a medias; bórralo a mano y vuelve a probar."
    elif [ -f "$prefijo/system.reg" ]; then
        # A prefix made by Wine itself (PULSAFINA_WINEPREFIX pointing at one):
        # used as it is.
        return 0
    elif [ -d "$prefijo" ] && [ -n "$(ls -A "$prefijo" 2>/dev/null)" ]; then
        fallar "$prefijo existe pero no es una carpeta de Wine; muévela o elige otra con PULSAFINA_WINEPREFIX."
    fi
    mkdir -p "$prefijo" 2>/dev/null && : >"$a_medias" 2>/dev/null ||
        fallar "no se puede escribir en $prefijo; comprueba que tu carpeta personal admite escritura y tiene espacio libre."
    avisar "Preparando Wine por primera vez; tarda alrededor de un minuto…"
    registro="$prefijo/.pulsafina-preparacion.log"
    : 2>/dev/null >"$registro"
    # Wine's first start in a new prefix now and then fails on its own, and a
    # second start from a clean folder then works: one more try before giving
    # up, with the first one's leftovers cleared.
    if ! hacer_prefijo; then
        wineserver -k >/dev/null 2>&1
        find "$prefijo" -mindepth 1 -maxdepth 1 ! -name .pulsafina-a-medias \
            ! -name .pulsafina-preparacion.log -exec rm -rf {} + 2>/dev/null
        hacer_prefijo ||
            fallar "no se pudo preparar Wine en $prefijo (¿disco lleno?; detalles en $registro); libera espacio y vuelve a abrir Pulsafina."
    fi
    mv "$a_medias" "$listo" 2>/dev/null ||
        fallar "no se puede escribir en $prefijo; comprueba que tu carpeta personal admite escritura y tiene espacio libre."
}

if [ ! -f "$listo" ]; then
    padre=$(dirname "$prefijo")
    mkdir -p "$padre" 2>/dev/null ||
        fallar "no se puede crear $padre; comprueba que tu carpeta personal admite escritura y tiene espacio libre."
    # Two first runs at once (a double click in the menu) take turns: the
    # second waits for the first to finish the prefix, then uses it.
    if command -v flock >/dev/null 2>&1 && (: >>"$prefijo.bloqueo") 2>/dev/null; then
        exec 9>>"$prefijo.bloqueo"
        if ! flock -n 9; then
            avisar "Otra ejecución está preparando Wine; esperando a que termine…"
            timeout 900 flock 9 || fallar "la otra preparación de Wine no termina; ciérrala y vuelve a probar."
        fi
        [ -f "$listo" ] || preparar 9>&-
        exec 9>&-
    else
        preparar
    fi
fi

exec wine "$exe"
