#!/usr/bin/env bash
# Counts the requests that a keystroke makes to the wineserver: the figure
# behind most of a key's cost under Wine, and one that does not depend on how
# busy the machine is.
#
#   bash tools/peticiones.sh [--teclas N] [--otro EXE]
#
# Real keys go through the X server (xdotool) into a bare Win32 window and
# into Pulsafina, introduction shown and practising, and the presses of Shift
# into Pulsafina, with a wineserver that logs every request; and the
# requests of each program's whole start-up. --otro counts another build of
# pulsafina.exe beside this one.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="${PULSAFINA_MEDIR:-$raiz/build-medir}"
teclas=60
otro=""
while [ $# -gt 0 ]; do
  case "$1" in
    --teclas) teclas="$2"; shift 2 ;;
    --otro) otro="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"; shift 2 ;;
    *) echo "Uso: bash tools/peticiones.sh [--teclas N] [--otro EXE]" >&2; exit 2 ;;
  esac
done

. "$raiz/tools/wine.sh"
compilar_para_medir "$obra"

registro="$(mktemp)"
programa_pid=""
banco_privado "$obra/wine-peticiones"
trap '[ -n "$programa_pid" ] && kill "$programa_pid" >/dev/null 2>&1
      WINEPREFIX="$prefijo_privado" wineserver -k >/dev/null 2>&1 || true
      [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
      rm -f "$registro"' EXIT
wineserver -k >/dev/null 2>&1 || true
wineserver -w
# The debugging server writes one line per request and one per reply.
wineserver -f -d1 -p >"$registro" 2>&1 &
sleep 0.5

leer() { wine "$obra/tools/leer_paneles.exe" "$@" 2>/dev/null | tr -d '\r\n'; }
peticiones() { grep -E '^[0-9a-f]+: [a-z_]+\(' "$registro" | grep -vcF ') = ' || true; }

# Sets arranque to the requests of the start-up: from the launch until the
# window has been shown, laid out and painted, and the program waits.
lanzar() {   # $1 exe, $2 title
  local antes
  antes="$(peticiones)"
  wine "$1" >/dev/null 2>&1 &
  programa_pid=$!
  until xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1; do
    kill -0 "$programa_pid" 2>/dev/null || { echo "$1 terminó sin abrir su ventana" >&2; exit 1; }
    sleep 0.05
  done
  sleep 1.5
  arranque=$(( $(peticiones) - antes ))
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$2\$" | head -n1)" >/dev/null 2>&1 || true
  sleep 0.3
}

cerrar() {   # $1 the window's title
  leer cerrar "$1" >/dev/null || kill "$programa_pid" >/dev/null 2>&1 || true
  wait "$programa_pid" 2>/dev/null || true
  programa_pid=""
}

# Prints the requests per key of an xdotool command: $1 the number of keys,
# the rest the command's arguments.
contar() {
  local n="$1" antes despues
  shift
  sleep 0.5
  antes="$(peticiones)"
  xdotool "$@"
  sleep 1
  despues="$(peticiones)"
  awk -v a="$antes" -v b="$despues" -v n="$n" 'BEGIN { printf "%.1f", (b - a) / n }'
}

letras="$(printf 'asdfg %.0s' $(seq $(( teclas / 6 + 1 ))))"
letras="${letras:0:$teclas}"
mayusculas=()
for _ in $(seq "$teclas"); do mayusculas+=(shift); done
titulo="Pulsafina - Norvedo Software"

# The first program of a fresh wineserver starts Wine's own services.
lanzar "$obra/tools/ventana_desnuda.exe" "Ventana desnuda"
cerrar "Ventana desnuda"
printf "%-12s %14s %14s %14s %14s\n" "" "introducción" "practicando" "mayúsculas" "arranque"
lanzar "$obra/tools/ventana_desnuda.exe" "Ventana desnuda"
printf "%-12s %14s %14s %14s %14s\n" desnuda "$(contar "$teclas" type --delay 30 "$letras")" "" "" "$arranque"
cerrar "Ventana desnuda"

contar_pulsafina() {   # $1 exe, $2 name
  local intro practica mayus
  lanzar "$1" "$titulo"
  intro="$(contar "$teclas" type --delay 30 "$letras")"
  xdotool type --delay 30 c; sleep 0.5
  practica="$(leer leccion)"
  case "$practica" in Lecci*) echo "La c no empezó la práctica" >&2; exit 1 ;; esac
  practica="$(contar "$teclas" type --delay 30 "${practica:0:$teclas}")"
  [ "$(leer | LC_ALL=C sed -n 's/.*Aciertos : \([0-9]*\).*/\1/p')" = "$teclas" ] ||
    { echo "No llegaron $teclas aciertos: $(leer)" >&2; exit 1; }
  mayus="$(contar "$teclas" key --delay 100 "${mayusculas[@]}")"
  printf "%-12s %14s %14s %14s %14s\n" "$2" "$intro" "$practica" "$mayus" "$arranque"
  cerrar "$titulo"
}
contar_pulsafina "$obra/pulsafina.exe" pulsafina
[ -z "$otro" ] || contar_pulsafina "$otro" otro
echo "(peticiones al wineserver por tecla; en mayúsculas, por pulsación y suelta de Mayús;"
echo " en el arranque, las de todo él, hasta que la ventana está pintada y espera)"
