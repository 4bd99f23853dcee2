#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and fuzzes each of them.
#   fuzz.sh              every target for 30 s (what the test command runs)
#   fuzz.sh 3600         every target for an hour
#   fuzz.sh 600 NAME     one target for ten minutes
# Inputs that crash land in build-fuzz/fuzz/artifacts/NAME/; the growing
# corpus in build-fuzz/fuzz/corpus/NAME/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
target=${2:-}
CC=clang CXX=clang++ "$top/scripts/build.sh" "$top/build-fuzz" \
  -DBRISKLET_FUZZ=ON -DBRISKLET_BUILD_GUI=OFF -DBRISKLET_FUZZ_SECONDS="$seconds"
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$top/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$top/build-fuzz"
if [ -n "$target" ]; then
  ctest --output-on-failure -L fuzz-smoke -R "^${target}_smoke\$"
else
  ctest --output-on-failure -L fuzz-smoke -j "$(nproc)"
fi
