#!/usr/bin/env bash
# Draws the pictures of docs/screenshots on a private X server with the
# Noto CJK fonts: screenshots.sh [BUILD_FOLDER] [NAME...]
# A new picture is one more tools/screenshots/shot_*.cpp file.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
shift || true
nice cmake --build "$build" --target brisklet-screenshots

if ! fc-list | grep 'Noto Sans CJK' >/dev/null; then
  echo "fonts-noto-cjk is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

scratch=$(mktemp -d)
displayfd="$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$displayfd" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do
  [ -s "$displayfd" ] && break
  sleep 0.1
done

mkdir -p "$scratch/run" && chmod 700 "$scratch/run"
DISPLAY=":$(cat "$displayfd")" QT_QPA_PLATFORM=xcb HOME="$scratch" \
  XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run" \
  "$build/tools/screenshots/brisklet-screenshots" "$top/docs/screenshots" "$@"
ls -l "$top/docs/screenshots"
