#!/usr/bin/env bash
# Rebuilds pulsafina.exe and takes the README's pictures of it (docs/*.png):
# the real program under Wine in a private X server, driven from outside with
# the keyboard and the mouse as a person would (xdotool), photographed with
# ImageMagick. Run it again whenever the program's looks change:
#   bash tools/retratar.sh
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
obra="$raiz/build-retratos"
fotos="$raiz/docs"

bash "$raiz/tools/preparar.sh" imagemagick
echo "Compilando Pulsafina…"
cmake -S "$raiz" -B "$obra" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" \
      -DBUILD_TESTING=OFF >/dev/null
cmake --build "$obra" --target pulsafina -j"$(nproc)" >/dev/null

xvfb_pid=""
programa_pid=""
terminar() {
  [ -n "$programa_pid" ] && kill "$programa_pid" >/dev/null 2>&1 || true
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap terminar EXIT

. "$raiz/tools/wine.sh"
# No key repeat: a key held down for a picture types one letter.
PULSAFINA_PANTALLA=1024x768x24 pantalla_propia -ardelay 100000

echo "Preparando Wine…"
preparar_prefijo "$obra/wine"
# No window manager here: Wine draws the window's own caption and frame, as
# Windows does.
sin_gestor_de_ventanas

wine "$obra/pulsafina.exe" >/dev/null 2>&1 &
programa_pid=$!
ventana=""
for _ in $(seq 200); do
  ventana="$(xdotool search --name '^Pulsafina - Norvedo Software$' 2>/dev/null | head -n1 || true)"
  [ -n "$ventana" ] && break
  sleep 0.1
done
[ -n "$ventana" ] || { echo "La ventana de Pulsafina no aparece." >&2; exit 1; }
sleep 1

# Photographs the rectangle that holds the main window and, if named, another
# window on top of it (a dialog).
retratar() {  # retratar name [window title]
  local geometria x y ancho alto
  geometria() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
                             /^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print x, y, x + w, y + h}'
  }
  read -r x y x2 y2 <<<"$(geometria "$ventana")"
  if [ -n "${2:-}" ]; then
    local otra
    otra="$(xdotool search --name "^$2\$" | head -n1)"
    read -r ox oy ox2 oy2 <<<"$(geometria "$otra")"
    x=$((ox < x ? ox : x)) y=$((oy < y ? oy : y)) x2=$((ox2 > x2 ? ox2 : x2)) y2=$((oy2 > y2 ? oy2 : y2))
  fi
  sleep 0.7
  import -window root -crop "$((x2 - x))x$((y2 - y))+$x+$y" +repage -strip "$fotos/$1.png"
  echo "  docs/$1.png"
}

esperar_ventana() {  # esperar_ventana title
  for _ in $(seq 100); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "No aparece la ventana «$1»." >&2
  exit 1
}

mkdir -p "$fotos"
echo "Retratando:"
xdotool mousemove 1000 750
retratar leccion1

# The practice: c starts it, some letters right, two wrong, and the next key
# held down, so that the guide lights it and points at its finger.
xdotool key c
xdotool type --delay 60 "asdfg asdfg asgdf as"
xdotool keydown d
retratar practica
xdotool keyup d

# Shift held: the upper-case labels.
xdotool keydown Shift_L
retratar mayusculas
xdotool keyup Shift_L

# Opciones > Tamano de las letras, with the keyboard.
xdotool key alt+o
sleep 0.3
xdotool key Down Return
esperar_ventana "Selecciona el tamaño deseado."
# Clicks on the scroll bar's right arrow: larger letters.
sleep 0.3
dialogo="$(xdotool search --name '^Selecciona el tamaño deseado.$' | head -n1)"
xdotool mousemove --window "$dialogo" 323 47 click --repeat 12 --delay 120 1
xdotool mousemove 1000 750
retratar tamanio "Selecciona el tamaño deseado."
xdotool key Return
sleep 0.5

# A colour scheme of one's own: Opciones > Colores > Color de Fondo, and a
# colour typed into the dialog's red, green and blue boxes.
elegir_color() {  # elegir_color position-in-submenu red green blue [picture]
  xdotool key alt+o
  sleep 0.3
  xdotool key Right
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  esperar_ventana "Color"
  sleep 0.5
  local dialogo
  dialogo="$(xdotool search --name '^Color$' | head -n1)"
  # The red box: tab order from the OK button is not fixed across Wine
  # versions, so the boxes are reached by their labels' accelerators.
  xdotool key --window "$dialogo" alt+r ctrl+a
  xdotool type --delay 40 "$2"
  xdotool key alt+g ctrl+a
  xdotool type --delay 40 "$3"
  xdotool key alt+b ctrl+a
  xdotool type --delay 40 "$4"
  sleep 0.3
  [ -n "${5:-}" ] && retratar "$5" "Color"
  xdotool key Return
  sleep 0.5
}
elegir_color 0 255 250 220 color
elegir_color 1 0 102 204
elegir_color 2 204 0 102
# More letters, right and wrong, in the new colours.
xdotool type --delay 60 "fg asdfg asdgf asdfg"
retratar colores

echo "Listo: las fotos están en docs/."
