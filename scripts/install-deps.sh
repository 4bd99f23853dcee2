#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# skipping the ones that are already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache
  qt6-base-dev qt6-webengine-dev libqscintilla2-qt6-dev libcurl4-openssl-dev
  python3 python3-pyftpdlib python3-feedparser raptor2-utils libxml2-utils
  clang libclang-rt-14-dev llvm
  xauth xvfb xdotool fonts-noto-cjk qt6-translations-l10n
  libpugixml-dev
  python3-lxml python3-html5lib python3-rdflib
  libqt6svg6 xdg-utils
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info
  python3-paramiko python3-openssl
  qtkeychain-qt6-dev libsecret-1-0 gnome-keyring dbus-daemon
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
