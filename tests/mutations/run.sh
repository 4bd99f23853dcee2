#!/usr/bin/env bash
# Applies each deliberate fault in this folder to a source tree, builds,
# runs the test suite and reverts, then prints which faults the suite caught.
#
#   run.sh [-s SOURCE] [-b BUILD] [-t SECONDS] [PATTERN...]
#
# SOURCE defaults to this repository, BUILD to SOURCE/build-mut (configure it
# first, e.g. ./scripts/build.sh build-mut -DBRISKLET_BUILD_GUI=OFF
# -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld: without
# debug information the relinking after each fault is quick). PATTERNs pick
# faults by file name. Everything runs under nice, so other work on the
# machine goes first.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
build=
timeout=120
while getopts s:b:t: option; do
    case $option in
    s) source=$(cd "$OPTARG" && pwd) ;;
    b) build=$OPTARG ;;
    t) timeout=$OPTARG ;;
    *) exit 64 ;;
    esac
done
shift $((OPTIND - 1))
build=$(cd "${build:-$source/build-mut}" && pwd) || exit 66

# A tree inside another repository (a copy of an older commit) must not be
# patched as part of the enclosing one.
patcher() { (cd "$source" && GIT_CEILING_DIRECTORIES=$(dirname "$source") git apply "$@"); }

applied=
revert() { [[ -n $applied ]] && patcher -R "$applied" && applied=; }
trap 'revert; exit 130' INT TERM

patches=()
for patch in "$here"/*.patch; do
    name=$(basename "$patch" .patch)
    if (($# == 0)); then
        patches+=("$patch")
    else
        for pattern in "$@"; do [[ $name == *$pattern* ]] && patches+=("$patch") && break; done
    fi
done

log=$build/mutations.log
: >"$log"
caught=0
rows=()
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    patcher --check "$patch" || { rows+=("| $name | does not apply | |"); continue; }
    patcher "$patch" && applied=$patch
    if ! nice -n 19 cmake --build "$build" >>"$log" 2>&1; then
        result="caught (build)"
        first=
    else
        output=$(cd "$build" && nice -n 19 ctest -j2 --stop-on-failure --timeout "$timeout" 2>&1)
        echo "$output" >>"$log"
        first=$(grep -m1 -oE 'Test +#[0-9]+: [^ ]+ \.*\*+[A-Za-z]+' <<<"$output" |
            sed -E 's/.*: ([^ ]+) .*/\1/')
        if [[ -n $first ]] || ! grep -q '100% tests passed' <<<"$output"; then
            result=caught
        else
            result=missed
        fi
    fi
    revert
    [[ $result == caught* ]] && caught=$((caught + 1))
    rows+=("| $name | $result | $first |")
    echo "${rows[-1]}" >&2
done
# Leave the build matching the tree again.
nice -n 19 cmake --build "$build" >>"$log" 2>&1

echo "| fault | result | first failing test |"
echo "|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
echo "caught $caught of ${#patches[@]}"
