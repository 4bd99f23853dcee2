#!/usr/bin/env bash
# Times `brisklet-cli build` on generated projects (small, medium, large) and,
# in the same run, `cp -r` of the output tree the build wrote: the cost of
# writing those bytes at all. Prints per size the wall time and peak memory
# of both, the build's processor time (user + system, which other work on a
# shared machine disturbs less than the wall time), the ratio of the wall
# times, the time per feed and the peak memory relative to the project file.
#
#   bench/build.sh [BUILD_FOLDER] [SIZE...]
#
# BUILD_FOLDER defaults to ./build; sizes default to "small medium large".
# GEN_PROJECT names the project generator (default
# /work/shared/tools/gen_project.py); RUNS the number of timed runs per size
# (default 5; the median is shown). Everything generated lives in a temporary
# folder that is removed at the end.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
shift || true
sizes=${*:-small medium large}
cli=$build/src/cli/brisklet-cli
generator=${GEN_PROJECT:-/work/shared/tools/gen_project.py}
runs=${RUNS:-5}

[[ -x $cli ]] || { echo "no brisklet-cli in $build" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command under /usr/bin/time -v; prints "seconds kilobytes cpu_seconds".
measure() {
    local log=$work/time.log
    /usr/bin/time -v "$@" >/dev/null 2>"$log" || { cat "$log" >&2; return 1; }
    awk -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i] }
        /Maximum resident set size/ { kb = $2 }
        /User time \(seconds\)|System time \(seconds\)/ { cpu += $2 }
        END { printf "%.3f %d %.3f\n", s, kb, cpu }' "$log"
}

# The line with the median time.
median() { sort -n | awk '{ line[NR] = $0 } END { print line[int((NR + 1) / 2)] }'; }

printf '%-7s %6s %6s %10s | %9s %9s %9s | %9s %9s | %6s %9s %8s\n' \
    size feeds items project_MB build_s build_MB build_cpu cp_s cp_MB ratio ms/feed mem/file
for size in $sizes; do
    dir=$work/$size
    mkdir -p "$dir"
    info=$(python3 "$generator" --size "$size" --out-dir "$dir/out" -o "$dir/project.dta" --mkdirs 2>&1)
    feeds=$(sed -E 's/.*: ([0-9]+) feeds x ([0-9]+) items.*/\1/' <<<"$info")
    items=$(sed -E 's/.*: ([0-9]+) feeds x ([0-9]+) items.*/\2/' <<<"$info")
    bytes=$(stat -c %s "$dir/project.dta")

    # The first build creates the files; the timed ones replace them, as
    # saving an existing project does.
    "$cli" build "$dir/project.dta" >/dev/null
    build_median=$(for _ in $(seq "$runs"); do measure "$cli" build "$dir/project.dta"; done | median)
    cp_median=$(for _ in $(seq "$runs"); do
        rm -rf "$dir/copy"
        measure cp -r "$dir/out" "$dir/copy"
    done | median)

    read -r build_s build_kb build_cpu <<<"$build_median"
    read -r cp_s cp_kb _ <<<"$cp_median"
    awk -v size="$size" -v feeds="$feeds" -v items="$items" -v bytes="$bytes" \
        -v bs="$build_s" -v bk="$build_kb" -v bc="$build_cpu" -v cs="$cp_s" -v ck="$cp_kb" 'BEGIN {
        printf "%-7s %6d %6d %10.1f | %9.3f %9.1f %9.3f | %9.3f %9.1f | %6.2f %9.3f %8.2f\n",
            size, feeds, items, bytes / 1048576, bs, bk / 1024, bc, cs, ck / 1024,
            (cs > 0 ? bs / cs : 0), bs * 1000 / feeds, bk * 1024 / bytes }'
    rm -rf "$dir"
done
