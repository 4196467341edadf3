#!/usr/bin/env bash
# The real exe under Wine's own tracing, run by CTest (tests/CMakeLists.txt):
#   rastro.sh SOURCE_DIR BUILD_DIR
# It starts, takes keys through the X server and is closed; the
# trace of its process must show no file opened for writing, created or
# deleted, nothing written, no registry value set and no key deleted, no
# socket, and no call of the program's own to a function that does any of
# these or creates a key.
# Wine's start-up is everything its process does before the exe's entry
# point (the relay's first "Starting thread proc"): the loader, the DLLs'
# attach code, Wine's settings. What Wine's DLLs do after it, on the
# program's behalf, counts. Wine opens its own registry keys with
# NtCreateKey, which the trace does not tell from creating one; a key the
# program created would need a call of its own, which the relay shows.
# It runs in an X server, Wine prefix and wineserver of its own, so that no
# other test's window takes the keys, and the relay setting stays here.
set -euo pipefail
fuente="$1"
obra="$2"
aqui="$obra/rastro"
mkdir -p "$aqui"
exe="$obra/pulsafina.exe"
unset WINEPREFIX WINEDEBUG WINESERVER

fallos=0
fallo() {
  echo "FALLO: $*" >&2
  fallos=$((fallos + 1))
}

. "$fuente/tools/wine.sh"
banco_privado "$aqui/wine"
# The relay traces only the calls that the exe makes (RelayFromExclude, set
# by Wine, would take precedence over the include list).
if [ ! -f "$WINEPREFIX/.rastro" ]; then
  wine reg add 'HKCU\Software\Wine\Debug' /v RelayFromInclude /d pulsafina.exe /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Wine\Debug' /v RelayFromExclude /f >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.rastro"
fi
wineserver -p >/dev/null 2>&1
# Wine's background processes start with the first program; not with this one.
wine reg query 'HKCU\Software\Wine\Debug' >/dev/null 2>&1

rastro="$aqui/rastro.txt"
WINEDEBUG=+pid,+file,+reg,+relay wine "$exe" >/dev/null 2>"$rastro" &
programa=$!
ventana=""
for _ in $(seq 100); do
  ventana="$(xdotool search --name '^Pulsafina - Norvedo Software$' 2>/dev/null | head -n1 || true)"
  [ -n "$ventana" ] && break
  sleep 0.2
done
[ -n "$ventana" ] || { fallo "no aparece la ventana"; exit 1; }
# The X focus goes only to a window on the screen.
for _ in $(seq 100); do
  xwininfo -id "$ventana" 2>/dev/null | grep -q 'Map State: IsViewable' && break
  sleep 0.1
done
teclas=(c a s d f j k l Shift_L+a space BackSpace)
timeout 10 xdotool windowfocus --sync "$ventana"
xdotool key --delay 20 "${teclas[@]}"
# Under the trace the program runs slowly: the window is closed only once it
# has taken every key, or the last ones die with it.
for _ in $(seq 150); do
  [ "$(grep -c ':Call window proc .*msg=WM_CHAR,' "$rastro" || true)" -ge "${#teclas[@]}" ] && break
  sleep 0.2
done
WINEDEBUG=-all wine "$obra/tests/mirar_ventana.exe" cerrar >/dev/null 2>&1 || fallo "no se pudo cerrar la ventana"
codigo=0
for _ in $(seq 100); do kill -0 "$programa" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$programa" 2>/dev/null; then
  fallo "el programa no termina"
else
  wait "$programa" || codigo=$?
  [ "$codigo" -eq 0 ] || fallo "el programa sale con $codigo"
fi

# The program's process is the first in the trace; its own lines begin at its
# entry point, the exe's base plus AddressOfEntryPoint.
proceso="$(grep -m1 -o '^[0-9a-f]\{4,\}:[0-9a-f]\{4,\}:' "$rastro" | cut -d: -f1 || true)"
[ -n "$proceso" ] || { fallo "el rastro está vacío"; exit 1; }
cabecera="$(x86_64-w64-mingw32-objdump -p "$exe")"
entrada_relativa=$((16#$(awk '/^AddressOfEntryPoint/ {print $2}' <<<"$cabecera")))
tamanio_imagen=$((16#$(awk '/^SizeOfImage/ {print $2}' <<<"$cabecera")))
linea_entrada="$(grep -n -m1 "^$proceso:[0-9a-f]*:Starting thread proc " "$rastro" || true)"
[ -n "$linea_entrada" ] || { fallo "el rastro no muestra el punto de entrada"; exit 1; }
entrada=$((16#$(sed 's/.*Starting thread proc \([0-9A-Fa-f]*\).*/\1/' <<<"$linea_entrada")))
base=$((entrada - entrada_relativa))
propio="$aqui/propio.txt"
tail -n +"${linea_entrada%%:*}" "$rastro" | grep "^$proceso:" >"$propio" || true

# Files: any access that could change one, any disposition but "open", and
# the socket device.
escritura=$((0x40000000 | 0x10000000 | 0x02000000 | 0x000D0000 | 0x156))
while read -r linea; do
  [[ "$linea" =~ access=([0-9a-f]+).*disp=([0-9]+)\ options=([0-9a-f]+) ]] || { fallo "sin leer: $linea"; continue; }
  acceso=$((16#${BASH_REMATCH[1]}))
  disposicion=${BASH_REMATCH[2]}
  opciones=$((16#${BASH_REMATCH[3]}))
  if ((acceso & escritura)) || [ "$disposicion" -ne 1 ] || ((opciones & 0x1000)); then
    fallo "abre para escribir: $linea"
  fi
done < <(grep ':trace:file:NtCreateFile handle=' "$propio" || true)
while read -r linea; do fallo "$linea"; done < <(grep -E 'Device\\+Afd|:trace:file:NtWriteFile|:trace:reg:Nt(SetValueKey|DeleteKey|DeleteValueKey|RenameKey|SaveKey|RestoreKey|LoadKey|ReplaceKey)' "$propio" || true)

# The program's own calls: those that return into the exe.
prohibidas='CreateFile|OpenFile|_lcreat|_lopen|WriteFile|CopyFile|MoveFile|DeleteFile|ReplaceFile|CreateDirectory|RemoveDirectory|WritePrivateProfile|WriteProfile|Reg[A-Za-z]*(Create|Set|Delete|Save|Restore|Load|Replace|Rename|Copy)|fopen|_wfopen|_open|_wopen|_creat|socket|WSASocket|WSAStartup|connect|Internet|WinHttp|URLDownload'
while read -r linea; do
  retorno=$((16#$(sed 's/.* ret=\([0-9a-f]*\)$/\1/' <<<"$linea")))
  if ((retorno >= base && retorno < base + tamanio_imagen)); then
    fallo "el programa llama a ${linea#*:Call }"
  fi
done < <(grep -E ":Call [A-Za-z0-9_]+\.($prohibidas)[A-Za-z0-9_]*\(.* ret=[0-9a-f]+$" "$propio" || true)

# The keys arrived: the window procedure saw a character for each that types one.
caracteres="$(grep -c ':Call window proc .*msg=WM_CHAR,' "$propio" || true)"
[ "$caracteres" -ge "${#teclas[@]}" ] || fallo "solo $caracteres WM_CHAR: las teclas no llegaron"
llamadas="$(grep -c ':Call ' "$propio" || true)"
echo "rastro: $(wc -l <"$propio") líneas del programa, $llamadas llamadas, $caracteres caracteres"
[ "$fallos" -eq 0 ]
