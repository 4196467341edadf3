#!/usr/bin/env bash
# Benchmark: what a keystroke, the start-up and the memory of Pulsafina cost,
# side by side with a bare Win32 window under the same Wine and X server.
#
#   bash tools/medir.sh [--teclas N] [--rondas R] [--otro EXE] [--una-cpu]
#
# --otro measures another build of pulsafina.exe (an earlier one, say) in the
# same rounds, so that a change is judged against the same noise.
# --una-cpu runs everything measured on the first CPU. In a virtual machine a
# round trip between processes on two CPUs can cost ten times one on a single
# CPU, and which of the two a stretch of work gets is luck: the figures then
# jump between two levels. On one CPU they are steadier, and nearer to what a
# desktop's cheap wake-ups give.
# Real keys go through the X server (xdotool, 20 ms apart) into each program
# in turn, alternating the bare window with each of Pulsafina's modes round
# after round. CPU comes from /proc for the program, the wineserver and the X
# server; the figures are per key, with min / median / max over the rounds.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="${PULSAFINA_MEDIR:-$raiz/build-medir}"
teclas=300
rondas=7
otro=""
una_cpu=""
while [ $# -gt 0 ]; do
  case "$1" in
    --teclas) teclas="$2"; shift 2 ;;
    --rondas) rondas="$2"; shift 2 ;;
    --otro) otro="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"; shift 2 ;;
    --una-cpu) una_cpu=1; shift ;;
    *) echo "Uso: bash tools/medir.sh [--teclas N] [--rondas R] [--otro EXE] [--una-cpu]" >&2; exit 2 ;;
  esac
done

. "$raiz/tools/wine.sh"
compilar_para_medir "$obra"
# Everything started from here on inherits the shell's CPU.
[ -z "$una_cpu" ] || taskset -p -c 0 $$ >/dev/null

xvfb_pid=""
servidor_pid=""
programa_pid=""
vigia_pid=""
terminar() {
  [ -n "$programa_pid" ] && kill "$programa_pid" >/dev/null 2>&1 || true
  [ -n "$vigia_pid" ] && kill "$vigia_pid" >/dev/null 2>&1 || true
  [ -n "$servidor_pid" ] && WINEPREFIX="$obra/wine" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
  rm -rf "$datos"
}
datos="$(mktemp -d)"
trap terminar EXIT

pantalla_propia
echo "Preparando el prefijo de Wine de la medida ..."
preparar_prefijo "$obra/wine"
# No window manager here: unmanaged windows spare Wine its wait at each one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# One persistent wineserver for the whole run; its CPU is read like the rest.
wineserver -w
wineserver -p >/dev/null 2>&1 || true
servidor_pid=""
for p in $(pgrep -x wineserver64 || pgrep -x wineserver || true); do
  { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && servidor_pid="$p"
done
[ -n "$servidor_pid" ] || { echo "No se encuentra el wineserver de la medida" >&2; exit 1; }

desnuda="$obra/tools/ventana_desnuda.exe"
pulsafina="$obra/pulsafina.exe"
leer() { wine "$obra/tools/leer_paneles.exe" "$@"; }

# CPU ticks (user + system) of a process; the name field may hold blanks.
cpu() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
hz="$(getconf CLK_TCK)"
ahora_ms() { echo $(( $(date +%s%N) / 1000000 )); }
kb() { awk -v c="$2" '$1 == c":" {print $2}' "$1"; }

# Starts an exe and waits for its window to be mapped. Sets programa_pid and
# arranque (ms from start to the mapped window).
# The map is told by the X server to a client that waits on the root window
# (xev), the moment it happens. Asking again and again with a new client
# would load the machine while the program starts, the more so the longer it
# takes, and would blur the figure of whichever program has more to do.
# A start that ends at once without a window is told and tried once more:
# it happens now and then, rarely, to the bare window as well as to
# Pulsafina, so to the platform's start of a program, and it would cost the
# whole run.
lanzar() {
  lanzar_una_vez "$@" && return 0
  echo "$1 terminó sin abrir su ventana; se arranca otra vez" >&2
  lanzar_una_vez "$@" && return 0
  echo "$1 terminó sin abrir su ventana" >&2
  exit 1
}

lanzar_una_vez() {
  local exe="$1" titulo="$2" t0 mapa="$datos/mapa"
  rm -f "$mapa" "$datos/vigia"
  { xev -root -event substructure 2>/dev/null & echo $! >"$datos/vigia"; wait; } |
    { grep -q -m1 MapNotify && date +%s%N >"$mapa"; } &
  until [ -s "$datos/vigia" ]; do sleep 0.01; done
  vigia_pid="$(cat "$datos/vigia")"
  sleep 0.2   # time for xev to select the events
  t0="${EPOCHREALTIME/./}"   # microseconds, read without starting a process
  wine "$exe" >/dev/null 2>&1 &
  programa_pid=$!
  until [ -s "$mapa" ] && xdotool search --onlyvisible --name "^$titulo\$" >/dev/null 2>&1; do
    kill -0 "$programa_pid" 2>/dev/null || { kill "$vigia_pid" 2>/dev/null; vigia_pid=""; return 1; }
    [ $(( ${EPOCHREALTIME/./} - t0 )) -lt 30000000 ] || { echo "$exe no abrió su ventana en 30 s" >&2; xwininfo -root -children >&2; exit 1; }
    sleep 0.01
  done
  kill "$vigia_pid" 2>/dev/null || true
  vigia_pid=""
  arranque=$(( ($(cat "$mapa") / 1000 - t0) / 1000 ))
  t0=$(( t0 / 1000 ))
  ventana_x="$(xdotool search --onlyvisible --name "^$titulo\$" | head -n1)"
  local resto=$(( 3000 - ($(ahora_ms) - t0) ))
  [ "$resto" -gt 0 ] && sleep "$(awk -v r="$resto" 'BEGIN{print r / 1000}')"
  residente="$(kb "/proc/$programa_pid/status" VmRSS)"
  privada=$(( $(kb "/proc/$programa_pid/smaps_rollup" Private_Clean) + \
              $(kb "/proc/$programa_pid/smaps_rollup" Private_Dirty) ))
  xdotool windowfocus --sync "$ventana_x" >/dev/null 2>&1 || true
}

cerrar() {   # $1: the window's title
  leer cerrar "$1" >/dev/null 2>&1 || kill "$programa_pid" >/dev/null 2>&1 || true
  wait "$programa_pid" 2>/dev/null || true
  programa_pid=""
}

# Types a text through the X server and keeps the CPU it cost, in ms per key,
# for the program, the wineserver and the X server.
teclear() {
  local texto="$1" p0 s0 x0 p1 s1 x1 n="${#1}"
  sleep 0.3
  p0="$(cpu "$programa_pid")"; s0="$(cpu "$servidor_pid")"; x0="$(cpu "$xvfb_pid")"
  xdotool type --delay 20 "$texto"
  sleep 0.5
  p1="$(cpu "$programa_pid")"; s1="$(cpu "$servidor_pid")"; x1="$(cpu "$xvfb_pid")"
  coste="$(awk -v a=$((p1 - p0)) -v b=$((s1 - s0)) -v c=$((x1 - x0)) -v n="$n" -v hz="$hz" \
    'BEGIN { f = 1000 / hz / n; printf "%.3f %.3f %.3f %.3f", a*f, b*f, c*f, (a+b+c)*f }')"
}

estadistica() { leer 2>/dev/null | tr -d '\r'; }
cifra() { estadistica | LC_ALL=C sed -n "s/.*$1 : \([0-9]*\).*/\1/p"; }

texto_repetido() {   # $1 pattern, $2 length
  local t=""
  while [ "${#t}" -lt "$2" ]; do t="$t$1"; done
  echo "${t:0:$2}"
}

registro="$datos/registro"
: >"$registro"
anotar() { echo "$1 $arranque $residente $privada $coste" >>"$registro"; }

# Warm-up: the first programs of a fresh wineserver start Wine's own services.
lanzar "$desnuda" "Ventana desnuda"; cerrar "Ventana desnuda"
# It also reads the practice of lesson 1, which the mode of right letters
# types.
lanzar "$pulsafina" "Pulsafina - Norvedo Software"
xdotool type --delay 20 c; sleep 0.3
practica="$(leer leccion | tr -d '\r\n')"
case "$practica" in Lecci*) echo "La c no empezó la práctica" >&2; exit 1 ;; esac
[ "${#practica}" -gt "$teclas" ] || { echo "El texto de la práctica es más corto que $teclas teclas" >&2; exit 1; }
cerrar "Pulsafina - Norvedo Software"

letras_izquierda="$(texto_repetido "asdfg " "$teclas")"

# The resident memory after the rest of the lesson, typed at the same pace,
# against the figure 3 s after start, and against the figure once the c had
# put the practice in the pane (antes_de_escribir): the first tells the whole
# lesson, the second the typing alone. A read of a pane from another process
# can grow the program by a page or more, for the buffer of the message that
# carries the text back: the first read of the statistics pane by 12 kB, and
# a later one now and then by 4. That is the benchmark's own doing, so both
# panes are read before the second figure is taken, nothing reads them while
# the lesson is typed, and the count of right letters is checked once the
# whole lesson is in. The bare window takes the same keys.
# Keys sent faster than a program takes them pile up in Xlib's event queue,
# and the first key loads Xlib's keyboard map: growth that any window shows,
# which the bare window's figure tells apart.
anotar_crecimiento() {   # $1 the program's name in the table
  local final
  xdotool type --delay 20 "${practica:$teclas}"; sleep 0.5
  final="$(kb "/proc/$programa_pid/status" VmRSS)"
  echo "crecimiento:$1 $(( final - residente )) $(( final - antes_de_escribir ))" >>"$registro"
}

# One mode of one build of Pulsafina: $1 the exe, $2 its name in the table.
medir_pulsafina() {
  lanzar "$1" "Pulsafina - Norvedo Software"
  case "$modo" in
    introduccion)
      teclear "$letras_izquierda" ;;
    correctas)
      xdotool type --delay 20 c; sleep 0.3
      [ "$(leer leccion | tr -d '\r\n')" = "$practica" ] || { echo "La c no empezó la práctica de la lección 1" >&2; exit 1; }
      estadistica >/dev/null
      antes_de_escribir="$(kb "/proc/$programa_pid/status" VmRSS)"
      teclear "${practica:0:$teclas}" ;;
    incorrectas)
      xdotool type --delay 20 c; sleep 0.3
      teclear "$(texto_repetido "jkl" "$teclas")"
      [ "$(cifra Errores)" = "$teclas" ] || { echo "No llegaron $teclas errores: $(estadistica)" >&2; exit 1; } ;;
  esac
  anotar "$2:$modo"
  if [ "$modo" = correctas ]; then
    anotar_crecimiento "$2"
    [ "$(cifra Aciertos)" = "${#practica}" ] || { echo "No llegaron ${#practica} aciertos: $(estadistica)" >&2; exit 1; }
  fi
  cerrar "Pulsafina - Norvedo Software"
}

for ronda in $(seq "$rondas"); do
  echo "Ronda $ronda de $rondas ..."
  for modo in introduccion correctas incorrectas; do
    lanzar "$desnuda" "Ventana desnuda"
    antes_de_escribir="$residente"
    teclear "$letras_izquierda"
    anotar desnuda
    [ "$modo" != correctas ] || anotar_crecimiento desnuda
    cerrar "Ventana desnuda"
    medir_pulsafina "$pulsafina" pulsafina
    [ -z "$otro" ] || medir_pulsafina "$otro" otro
  done
done

# Lessons typed one after another, each whole, in one run of each build: the
# resident memory when each is done. A leak grows with every lesson; a heap
# that has reached the size its longest text needs stays put. The texts are
# Windows-1252 and xdotool types UTF-8.
# Lessons 2 and 3 hold the n with tilde, which a US keymap lacks: for each
# one, xdotool would remap a spare key and put it back, and Wine, reading the
# key after the mapping has moved on, now and then loses it, and the rest of
# the lesson then counts as errors. The Spanish layout has the key, as the
# learner's keyboard has. Wine reads the layout when a process starts.
setxkbmap -layout es >/dev/null 2>&1 || true
LECCIONES_SEGUIDAS=5
lecciones_seguidas() {   # $1 the exe, $2 its name in the table
  local linea="" texto l
  lanzar "$1" "Pulsafina - Norvedo Software"
  for l in $(seq "$LECCIONES_SEGUIDAS"); do
    xdotool type --delay 20 c; sleep 0.3
    texto="$(leer leccion | tr -d '\r\n' | iconv -f WINDOWS-1252 -t UTF-8)"
    xdotool type --delay 20 "$texto"; sleep 0.5
    linea="$linea $(kb "/proc/$programa_pid/status" VmRSS)"
  done
  [ "$(cifra Errores)" = 0 ] || { echo "Errores al escribir las lecciones seguidas: $(estadistica)" >&2; exit 1; }
  echo "$2 $residente$linea" >>"$datos/seguidas"
  cerrar "Pulsafina - Norvedo Software"
}
: >"$datos/seguidas"
lecciones_seguidas "$pulsafina" pulsafina
[ -z "$otro" ] || lecciones_seguidas "$otro" otro

# Start-up from cold, as from the desktop's menu: no Wine process runs, so the
# wineserver and Wine's own services start with the program. The figures
# above come from a wineserver kept running, which shows what the program
# itself does; this one is what the learner waits. Last, since it ends the
# persistent wineserver.
for ronda in $(seq "$rondas"); do
  for exe in "$desnuda" "$pulsafina" ${otro:+"$otro"}; do
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    case "$exe" in
      "$desnuda") lanzar "$exe" "Ventana desnuda"; cerrar "Ventana desnuda"; nombre=desnuda ;;
      "$pulsafina") lanzar "$exe" "Pulsafina - Norvedo Software"; cerrar "Pulsafina - Norvedo Software"; nombre=pulsafina ;;
      *) lanzar "$exe" "Pulsafina - Norvedo Software"; cerrar "Pulsafina - Norvedo Software"; nombre=otro ;;
    esac
    echo "frio:$nombre $arranque" >>"$registro"
  done
done

echo
echo "CPU por tecla en ms (mín / mediana / máx de $rondas rondas, $teclas teclas cada una):"
awk '
  function orden(a, n,   i, j, t) { for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j+1] = a[j]; a[j+1] = t } }
  function cifras(clave, col,   n, i, v) {
    n = 0; for (i = 1; i <= total[clave]; i++) v[++n] = valor[clave, i, col]
    orden(v, n); med = (n % 2) ? v[(n+1)/2] : (v[n/2] + v[n/2+1]) / 2
    return (v[n] >= 1000) ? sprintf("%7d %7d %7d", v[1], med, v[n]) : sprintf("%6.2f %6.2f %6.2f", v[1], med, v[n])
  }
  function mediana(clave, col,   n, i, v) {
    n = 0; for (i = 1; i <= total[clave]; i++) v[++n] = valor[clave, i, col]
    orden(v, n); return (n % 2) ? v[(n+1)/2] : (v[n/2] + v[n/2+1]) / 2
  }
  $1 ~ /^frio:/ { p = substr($1, 6); total["frio:" p]++; valor["frio:" p, total["frio:" p], 2] = $2; next }
  $1 ~ /^crecimiento:/ { p = substr($1, 13); ncrec[p]++; crec[p, ncrec[p]] = $2; escr[p, ncrec[p]] = $3; next }
  {
    clave = $1
    total[clave]++; i = total[clave]
    for (c = 2; c <= 8; c++) valor[clave, i, c] = $c
    if (clave != "desnuda") {
      p = substr(clave, 1, index(clave, ":") - 1); programas[p] = 1
      total[p]++; j = total[p]; for (c = 2; c <= 4; c++) valor[p, j, c] = $c
    }
  }
  END {
    printf "%-22s %-22s %-22s %-22s %-22s %s\n", "", "programa", "wineserver", "servidor X", "total", "vs desnuda"
    base = mediana("desnuda", 8)
    printf "%-22s %-22s %-22s %-22s %-22s %.2fx\n", "desnuda", cifras("desnuda", 5), cifras("desnuda", 6), cifras("desnuda", 7), cifras("desnuda", 8), 1
    split("pulsafina otro", nombres, " ")
    split("introduccion correctas incorrectas", modos, " ")
    for (q = 1; q <= 2; q++) for (m = 1; m <= 3; m++) {
      k = nombres[q] ":" modos[m]
      if (!(k in total)) continue
      printf "%-22s %-22s %-22s %-22s %-22s %.2fx\n", k, cifras(k, 5), cifras(k, 6), cifras(k, 7), cifras(k, 8), mediana(k, 8) / base
    }
    print ""
    printf "%-22s %-22s %-22s %-22s\n", "", "arranque (ms)", "residente (kB)", "privada (kB)"
    printf "%-22s %-22s %-22s %-22s\n", "desnuda", cifras("desnuda", 2), cifras("desnuda", 3), cifras("desnuda", 4)
    for (q = 1; q <= 2; q++) {
      p = nombres[q]
      if (!(p in programas)) continue
      printf "%-22s %-22s %-22s %-22s\n", p, cifras(p, 2), cifras(p, 3), cifras(p, 4)
      printf "%-22s %-22s %-22s %-22s\n", "  vs desnuda", sprintf("%.2fx", mediana(p, 2) / mediana("desnuda", 2)), sprintf("%.2fx", mediana(p, 3) / mediana("desnuda", 3)), sprintf("%.2fx", mediana(p, 4) / mediana("desnuda", 4))
    }
    printf "%-22s %-22s\n", "", "arranque en frío (ms)"
    printf "%-22s %-22s\n", "desnuda", cifras("frio:desnuda", 2)
    for (q = 1; q <= 2; q++) {
      p = nombres[q]
      if (!(("frio:" p) in total)) continue
      printf "%-22s %-22s %.2fx\n", p, cifras("frio:" p, 2), mediana("frio:" p, 2) / mediana("frio:desnuda", 2)
    }
    print ""
    split("desnuda pulsafina otro", todos, " ")
    for (q = 1; q <= 3; q++) {
      p = todos[q]
      if (!(p in ncrec)) continue
      n = 0; for (i = 1; i <= ncrec[p]; i++) v[++n] = crec[p, i]; orden(v, n)
      n = 0; for (i = 1; i <= ncrec[p]; i++) w[++n] = escr[p, i]; orden(w, n)
      printf "Crecimiento del residente de %s tras escribir una lección entera (kB): mín %d, mediana %d, máx %d; solo al escribirla, tras la c: mín %d, mediana %d, máx %d\n", p, v[1], (n % 2) ? v[(n+1)/2] : (v[n/2] + v[n/2+1]) / 2, v[n], w[1], (n % 2) ? w[(n+1)/2] : (w[n/2] + w[n/2+1]) / 2, w[n]
    }
  }' "$registro"
echo "Residente (kB) 3 s después del arranque y al acabar cada una de las lecciones 1 a $LECCIONES_SEGUIDAS, escritas seguidas:"
awk '{ printf "  %-10s %s;", $1, $2; for (i = 3; i <= NF; i++) printf " %s (%+d)", $i, $i - $(i-1); print "" }' "$datos/seguidas"
echo "Tamaño de pulsafina.exe: $(( $(stat -c %s "$pulsafina") / 1024 )) KB"
[ -z "$otro" ] || echo "Tamaño del otro: $(( $(stat -c %s "$otro") / 1024 )) KB"
