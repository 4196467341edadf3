#!/usr/bin/env bash
# Installs what building, running and testing Pulsafina need on Debian, and
# only what is missing: quick once everything is there. Extra package names
# given as arguments are installed too (tools/retratar.sh asks for its own).
set -euo pipefail

paquetes=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth googletest
          # Wine's own fonts and the metric-compatible ones, which apt installs
          # with wine unless told not to, as here: without them Wine draws the
          # panes' text in whatever sans font it finds, DejaVu on Debian, whose
          # shaping tables cost a practice keystroke half as much again
          fonts-wine fonts-liberation
          # the desktop tests: a window manager, X queries, the menu entry's checker
          openbox xdotool x11-utils desktop-file-utils
          # the static analysis of the program's sources
          cppcheck
          # a Spanish keyboard at the X server
          x11-xkb-utils x11-xserver-utils xkb-data
          "$@")
faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan+=("$p")
  fi
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando lo que falta (${faltan[*]}); puede tardar unos minutos…"
sudo_si_hace_falta=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Hacen falta permisos de root (o sudo) para instalar: ${faltan[*]}" >&2; exit 1; }
  sudo_si_hace_falta=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
registro="$(mktemp)"
if ! "${sudo_si_hace_falta[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq >"$registro" 2>&1 ||
   ! "${sudo_si_hace_falta[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends \
       "${faltan[@]}" >>"$registro" 2>&1; then
  tail -n 15 "$registro" >&2
  echo "No se pudo instalar: ${faltan[*]}. Revisa la conexión y las fuentes de apt, o instálalos a mano con 'sudo apt-get install ${faltan[*]}'." >&2
  rm -f "$registro"
  exit 1
fi
rm -f "$registro"
