#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal
# build (with the GUI tests on the offscreen platform), once with
# AddressSanitizer and UndefinedBehaviorSanitizer over the core and CLI.
# Then the Debian package is made, installed and tried, and every fuzz
# target runs for half a minute from its seeds, so that none of them stops
# building or finds a crash unnoticed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

jobs=$(nproc)

"$top/scripts/build.sh" "$top/build"
(cd "$top/build" && ctest --output-on-failure -j "$jobs")
"$top/scripts/package.sh" --install

"$top/scripts/build.sh" "$top/build-sanitize" -DBRISKLET_SANITIZE=ON -DBRISKLET_BUILD_GUI=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$top/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$top/build-sanitize" && ctest --output-on-failure -j "$jobs")

"$top/scripts/fuzz.sh" 30
