#!/usr/bin/env bash
# The program as a Linux desktop gets it, run by CTest (tests/CMakeLists.txt):
#   escritorio.sh paquetes|fallos|ventana SOURCE_DIR BUILD_DIR
# paquetes: `cmake --install` into a DESTDIR, the menu entry, the Debian
#           package and the Windows zip.
# fallos:   the launcher's answer to each fault: one line, a non-zero exit.
# ventana:  the installed launcher with a fresh HOME, under Xvfb and openbox:
#           the prefix is made (again, over a half-made one), the window is
#           managed and framed, and a frame shrunk below the minimum through
#           the X server comes back to the program's window.
# Each step works in BUILD_DIR/escritorio/<step> and stops all it starts.
set -euo pipefail
paso="$1"
fuente="$2"
obra="$3"
aqui="$obra/escritorio/$paso"
rm -rf "$aqui"
mkdir -p "$aqui"

fallos=0
fallo() {
  echo "FALLO ($paso): $*" >&2
  fallos=$((fallos + 1))
}
comprobar() {  # comprobar "what" command...
  local que="$1"
  shift
  "$@" || fallo "$que"
}

# The launcher runs in an environment of its own: a fresh HOME, none of the
# test run's Wine settings.
unset WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINESERVER XDG_DATA_HOME PULSAFINA_WINEPREFIX PULSAFINA_EXE

pids=()
prefijos=()
terminar() {
  for p in "${prefijos[@]}"; do
    WINEPREFIX="$p" wineserver -k >/dev/null 2>&1 || true
  done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" >/dev/null 2>&1 || true
  done
}
trap terminar EXIT

# An X server of the step's own, and with "gestor" the window manager on it.
iniciar_pantalla() {
  local archivo="$aqui/pantalla"
  : >"$archivo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$archivo" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$archivo" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$archivo")"
  if [ "${1:-}" = gestor ]; then
    HOME="$aqui" openbox >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
      sleep 0.1
    done
    fallo "openbox no arranca"
  fi
}

instalar() {  # instalar DESTDIR: the Linux component under /usr
  DESTDIR="$1" cmake --install "$obra" --prefix /usr --component linux >/dev/null
}

case "$paso" in
paquetes)
  destino="$aqui/raiz"
  DESTDIR="$destino" cmake --install "$obra" --prefix /usr/local >/dev/null
  esperado="usr/local/bin/pulsafina
usr/local/lib/pulsafina/pulsafina.exe
usr/local/share/applications/pulsafina.desktop
usr/local/share/doc/pulsafina/changelog.gz
usr/local/share/doc/pulsafina/copyright
usr/local/share/icons/hicolor/16x16/apps/pulsafina.png
usr/local/share/icons/hicolor/256x256/apps/pulsafina.png
usr/local/share/icons/hicolor/32x32/apps/pulsafina.png
usr/local/share/icons/hicolor/48x48/apps/pulsafina.png
usr/local/share/man/man1/pulsafina.1.gz"
  hallado="$(cd "$destino" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)"
  comprobar "los archivos instalados: $hallado" [ "$hallado" = "$esperado" ]
  comprobar "el lanzador es ejecutable" [ -x "$destino/usr/local/bin/pulsafina" ]
  entrada="$destino/usr/local/share/applications/pulsafina.desktop"
  comprobar "desktop-file-validate" desktop-file-validate "$entrada"
  for linea in 'Name=Pulsafina' 'GenericName=Typing Course' 'GenericName\[es\]=Curso de mecanografía' \
               'Comment=.' 'Comment\[es\]=.' 'Categories=Education;' 'Icon=pulsafina' \
               'Exec=/usr/local/bin/pulsafina' 'StartupWMClass=pulsafina.exe' 'Terminal=false'; do
    comprobar "la entrada del menú no tiene $linea" grep -q "^$linea" "$entrada"
  done
  for lado in 16 32 48 256; do
    icono="$destino/usr/local/share/icons/hicolor/${lado}x${lado}/apps/pulsafina.png"
    # A PNG signature, then IHDR with the width and height of its folder.
    cabecera="$(head -c 24 "$icono" | od -An -tx1 | tr -d ' \n')"
    comprobar "el icono de $lado no es un PNG de ${lado}x$lado" \
      [ "$cabecera" = "$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$lado" "$lado")" ]
  done
  comprobar "--help" bash -c "'$destino/usr/local/bin/pulsafina' --help | grep -q '^Uso: pulsafina'"

  (cd "$obra" && cpack -G DEB >/dev/null && cpack -G ZIP >/dev/null)
  deb="$obra/pulsafina_$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$obra/CMakeCache.txt")_amd64.deb"
  comprobar "no hay paquete $deb" [ -f "$deb" ]
  control="$(dpkg-deb -f "$deb")"
  comprobar "Depends del paquete" grep -qx 'Depends: wine, wine64' <<<"$control"
  comprobar "Architecture del paquete" grep -qx 'Architecture: amd64' <<<"$control"
  # The package holds the same files as the install, under /usr.
  del_paquete="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | LC_ALL=C sort)"
  comprobar "los archivos del paquete: $del_paquete" [ "$del_paquete" = "${esperado//usr\/local/usr}" ]
  mkdir -p "$aqui/deb"
  dpkg-deb -x "$deb" "$aqui/deb"
  comprobar "el paquete llama al lanzador de /usr/bin" \
    grep -qx 'Exec=/usr/bin/pulsafina' "$aqui/deb/usr/share/applications/pulsafina.desktop"
  comprobar "desktop-file-validate en el paquete" desktop-file-validate "$aqui/deb/usr/share/applications/pulsafina.desktop"
  if command -v lintian >/dev/null 2>&1; then
    informe="$(lintian --pedantic "$deb" 2>/dev/null || true)"
    comprobar "lintian: $informe" [ -z "$informe" ]
  fi

  zip="$(ls "$obra"/pulsafina-*-windows.zip)"
  contenido="$(cmake -E tar tf "$zip" | LC_ALL=C sort)"
  carpeta="$(basename "$zip" .zip)"
  comprobar "el zip: $contenido" [ "$contenido" = "$carpeta/LEEME.txt
$carpeta/pulsafina.exe" ]
  ;;

fallos)
  exe="$obra/pulsafina.exe"
  lanzador="$fuente/packaging/linux/pulsafina.sh"
  # One fault: an exit that is not 0, within seconds, one line on stderr
  # saying $2, and nothing left in the home folder but what $3 allows.
  probar_fallo() {  # probar_fallo name expected-text command...
    local nombre="$1" texto="$2"
    shift 2
    local codigo=0
    timeout 60 "$@" >"$aqui/$nombre.salida" 2>"$aqui/$nombre.error" || codigo=$?
    [ "$codigo" -ne 0 ] && [ "$codigo" -ne 124 ] || fallo "$nombre: código de salida $codigo"
    local ultima
    ultima="$(tail -n1 "$aqui/$nombre.error")"
    [[ "$ultima" == "pulsafina: "*"$texto"* ]] || fallo "$nombre: dice «$(cat "$aqui/$nombre.error")»"
    # At most the progress line before the error.
    [ "$(wc -l <"$aqui/$nombre.error")" -le 2 ] || fallo "$nombre: más de una línea: $(cat "$aqui/$nombre.error")"
  }
  casa="$aqui/casa"
  mkdir -p "$casa"
  probar_fallo sin_display "no hay pantalla" env -u DISPLAY HOME="$casa" PULSAFINA_EXE="$exe" sh "$lanzador"
  probar_fallo display_muerto "no responde" env DISPLAY=:3999 HOME="$casa" PULSAFINA_EXE="$exe" sh "$lanzador"
  comprobar "sin pantalla no se prepara Wine" [ ! -e "$casa/.local" ]
  probar_fallo sin_exe "no se encuentra" env HOME="$casa" PULSAFINA_EXE="$aqui/no-existe.exe" sh "$lanzador"
  # PATH without Wine: every other program is still there.
  mkdir -p "$aqui/sin_wine"
  for d in /usr/local/bin /usr/bin /bin; do
    for f in "$d"/*; do
      n="$(basename "$f")"
      case "$n" in wine*) continue ;; esac
      [ -e "$aqui/sin_wine/$n" ] || ln -s "$f" "$aqui/sin_wine/$n"
    done
  done
  probar_fallo sin_wine "falta Wine" env PATH="$aqui/sin_wine" HOME="$casa" PULSAFINA_EXE="$exe" sh "$lanzador"

  iniciar_pantalla
  # A home that cannot hold folders: a plain file (root writes through any
  # permission bits, so they would prove nothing as root).
  : >"$aqui/casa_archivo"
  probar_fallo casa_imposible "no se puede crear" env HOME="$aqui/casa_archivo" PULSAFINA_EXE="$exe" sh "$lanzador"
  if [ "$(id -u)" -ne 0 ]; then
    mkdir -p "$aqui/casa_lectura"
    chmod a-w "$aqui/casa_lectura"
    probar_fallo casa_de_lectura "no se puede crear" env HOME="$aqui/casa_lectura" PULSAFINA_EXE="$exe" sh "$lanzador"
    chmod u+w "$aqui/casa_lectura"
  fi
  # A full disk: every write fails (the file-size limit fails writes as ENOSPC would).
  mkdir -p "$aqui/casa_llena"
  prefijos+=("$aqui/casa_llena/.local/share/pulsafina/wine")
  probar_fallo casa_llena "no se pudo preparar Wine" env HOME="$aqui/casa_llena" PULSAFINA_EXE="$exe" \
    bash -c 'set -o pipefail; trap "" XFSZ; (ulimit -f 0; exec sh "$0") 2>&1 >/dev/null | cat >&2' "$lanzador"
  comprobar "un prefijo a medias no queda como listo" [ ! -e "$aqui/casa_llena/.local/share/pulsafina/wine/.pulsafina-listo" ]
  comprobar "un prefijo a medias queda marcado" [ -e "$aqui/casa_llena/.local/share/pulsafina/wine/.pulsafina-a-medias" ]
  # A folder in the prefix's place that is not one is left alone.
  mkdir -p "$aqui/casa_ajena/otra"
  echo mío >"$aqui/casa_ajena/otra/nota"
  probar_fallo carpeta_ajena "no es una carpeta de Wine" env HOME="$casa" PULSAFINA_WINEPREFIX="$aqui/casa_ajena/otra" \
    PULSAFINA_EXE="$exe" sh "$lanzador"
  comprobar "la carpeta ajena sigue igual" [ "$(ls -A "$aqui/casa_ajena/otra")" = nota ]
  ;;

ventana)
  instalar "$aqui/raiz"
  lanzador="$aqui/raiz/usr/bin/pulsafina"
  iniciar_pantalla gestor
  casa="$aqui/casa"
  prefijo="$casa/.local/share/pulsafina/wine"
  prefijos+=("$prefijo")
  # What an interrupted first run leaves behind.
  mkdir -p "$prefijo/drive_c"
  : >"$prefijo/.pulsafina-a-medias"
  : >"$prefijo/resto-de-antes"
  HOME="$casa" "$lanzador" >"$aqui/salida" 2>"$aqui/error" &
  lanzador_pid=$!
  pids+=("$lanzador_pid")
  ventana=""
  for _ in $(seq 240); do
    ventana="$(xdotool search --name '^Pulsafina - Norvedo Software$' 2>/dev/null | head -n1 || true)"
    [ -n "$ventana" ] && break
    kill -0 "$lanzador_pid" 2>/dev/null || break
    sleep 0.5
  done
  if [ -z "$ventana" ]; then
    fallo "no aparece la ventana: $(cat "$aqui/error")"
    exit 1
  fi
  comprobar "avisa del prefijo a medias: $(cat "$aqui/error")" grep -q 'quedó a medias; se prepara de nuevo' "$aqui/error"
  comprobar "dice que prepara Wine: $(cat "$aqui/error")" grep -q 'Preparando Wine por primera vez' "$aqui/error"
  comprobar "el prefijo queda listo" [ -f "$prefijo/.pulsafina-listo" ]
  comprobar "el prefijo se hizo de nuevo" [ ! -e "$prefijo/resto-de-antes" ]
  comprobar "el prefijo del usuario no lleva Managed=N" bash -c "! grep -qi '\"Managed\"=\"N\"' '$prefijo/user.reg'"

  # Managed: not override-redirect, listed by the window manager, framed.
  for _ in $(seq 40); do
    xwininfo -id "$ventana" | grep -q 'Map State: IsViewable' && break
    sleep 0.25
  done
  info="$(xwininfo -id "$ventana")"
  comprobar "la ventana es override-redirect" grep -q 'Override Redirect State: no' <<<"$info"
  comprobar "la ventana no está a la vista" grep -q 'Map State: IsViewable' <<<"$info"
  lista="$(xprop -root _NET_CLIENT_LIST)"
  comprobar "el gestor no lista la ventana: $lista" grep -qi "$(printf '0x%x' "$ventana")" <<<"$lista"
  marco="$(xwininfo -tree -id "$ventana" | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')"
  raiz_x="$(xwininfo -root | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')"
  comprobar "la ventana no tiene marco del gestor" [ -n "$marco" -a "$marco" != "$raiz_x" ]

  # X geometry of the program's window and of the frame around it, and the
  # program's own view of its window, through the same wineserver.
  medir_x() {  # width height of an X window
    xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}'
  }
  medir_programa() {  # client width and height as the program sees them
    WINEPREFIX="$prefijo" WINEDEBUG=-all wine "$obra/tests/mirar_ventana.exe" medir | tr -d '\r' | awk '{print $7, $8}'
  }
  medir_todo() {
    read -r xa xh <<<"$(medir_x "$ventana")"
    read -r ma mh <<<"$(medir_x "$marco")"
    read -r ca ch <<<"$(medir_programa)"
    for n in "$xa" "$xh" "$ma" "$mh" "$ca" "$ch"; do
      [[ "$n" =~ ^[0-9]+$ ]] || { fallo "no se pudo medir la ventana"; exit 1; }
    done
  }
  medir_todo
  # Wine leaves the caption and the border to the window manager and keeps the
  # menu bar in its X window: these margins hold at every size.
  margen_a=$((xa - ca)) margen_h=$((xh - ch)) borde_a=$((ma - xa)) borde_h=$((mh - xh))
  comprobar "márgenes de la ventana ($margen_a x $margen_h)" [ $((margen_a >= 0 && margen_h >= 0)) = 1 ]

  # The frame shrunk through the X server, as a drag of its corner does.
  xdotool windowsize "$ventana" 300 200
  for _ in $(seq 40); do
    sleep 0.25
    read -r xa xh <<<"$(medir_x "$ventana")"
    [ "$xa" -gt 300 ] && [ "$xh" -gt 200 ] && break
  done
  sleep 1
  medir_todo
  comprobar "el programa bajo el mínimo: $ca x $ch" [ $((ca >= 713 && ch >= 400)) = 1 ]
  echo "tras encoger el marco a 300 x 200: programa $ca x $ch, ventana X $xa x $xh, marco $ma x $mh"
  comprobar "la ventana X ($xa x $xh) no es la del programa ($ca x $ch)" \
    [ $((xa == ca + margen_a && xh == ch + margen_h)) = 1 ]
  comprobar "el marco ($ma x $mh) recorta la ventana ($xa x $xh)" \
    [ $((ma == xa + borde_a && mh == xh + borde_h)) = 1 ]

  # A picture of the screen, to look at when this step fails.
  if command -v import >/dev/null 2>&1; then import -window root "$aqui/pantalla.png" 2>/dev/null || true; fi

  # Closing the window ends the launcher with code 0.
  WINEPREFIX="$prefijo" WINEDEBUG=-all wine "$obra/tests/mirar_ventana.exe" cerrar
  codigo=0
  for _ in $(seq 100); do kill -0 "$lanzador_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$lanzador_pid" || codigo=$?
  comprobar "el lanzador termina con $codigo" [ "$codigo" -eq 0 ]

  # The same under the test bench, in this managed prefix: the screen check
  # holds what the screen shows, after the shrink, to a full repaint.
  (cd "$aqui" && WINEPREFIX="$prefijo" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
     wine "$obra/tests/pulsafina_pruebas.exe" --gtest_filter='Ventana.BajoUnGestor*' >"$aqui/banco.txt" 2>&1) ||
    fallo "el banco bajo el gestor: $(grep -E 'Failure|error|Expected|Which is|celda|boton|hijo' "$aqui/banco.txt" | head -20)"
  comprobar "el banco no encogió su ventana" grep -q '^encogida' "$aqui/banco.txt"
  ;;
*)
  echo "escritorio.sh: paso desconocido $paso" >&2
  exit 2
  ;;
esac

if [ "$fallos" -gt 0 ]; then
  echo "$paso: $fallos comprobaciones fallidas" >&2
  exit 1
fi
echo "$paso: todo bien"
