#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brisklet.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$top/build"
exec "$top/build/src/app/brisklet" "$@"
