#!/usr/bin/env bash
# Installs what building, running and testing Pulsafina need on Debian, and
# only what is missing: quick once everything is there.
set -euo pipefail

paquetes=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth googletest xdotool)
faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan+=("$p")
  fi
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando: ${faltan[*]}"
sudo_si_hace_falta=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Hacen falta permisos de root (o sudo) para instalar: ${faltan[*]}" >&2; exit 1; }
  sudo_si_hace_falta=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_si_hace_falta[@]}" apt-get update -qq
"${sudo_si_hace_falta[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
