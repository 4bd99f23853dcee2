#!/usr/bin/env bash
# Applies each deliberate fault in this folder to a source tree, builds,
# runs the tests and reverts, then prints which faults the tests caught.
#
#   run.sh [-s SOURCE] [-b BUILD] [-t SECONDS] [-r TESTS]... [PATTERN...]
#
# SOURCE defaults to this repository, BUILD to SOURCE/build-mut; configure it
# first, e.g. ./scripts/build.sh build-mut -DBRISKLET_BUILD_GUI=OFF.
# Without -r the whole suite runs. Each -r TESTS (a ctest regular
# expression) is a group of its own with a column in the table: to compare
# an old and a new version of some tests, build both into one tree under
# different names and give one -r for each; only those tests and
# brisklet-cli are rebuilt after each fault, and tests left alone catch the
# same faults either way. A group stops at its first failing test. PATTERNs
# pick faults by the start of their file name ("09" or "09-rssline").
# Everything runs under nice, so other work on the machine goes first.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
build=
timeout=120
groups=()
while getopts s:b:t:r: option; do
    case $option in
    s) source=$(cd "$OPTARG" && pwd) ;;
    b) build=$OPTARG ;;
    t) timeout=$OPTARG ;;
    r) groups+=("$OPTARG") ;;
    *) exit 64 ;;
    esac
done
shift $((OPTIND - 1))
build=$(cd "${build:-$source/build-mut}" && pwd) || exit 66

targets=()
if ((${#groups[@]} > 0)); then
    for group in "${groups[@]}"; do
        targets+=($(cd "$build" && ctest -N -R "$group" |
            sed -nE 's/^ *Test +#[0-9]+: ([^ ]+)$/\1/p'))
    done
    targets=(--target brisklet-cli "${targets[@]}")
else
    groups=(.)
fi

# A tree inside another repository (a copy of an older commit) must not be
# patched as part of the enclosing one.
patcher() { (cd "$source" && GIT_CEILING_DIRECTORIES=$(dirname "$source") git apply "$@"); }

applied=
revert() { [[ -n $applied ]] && patcher -R "$applied" && applied=; }
trap 'revert; exit 130' INT TERM

# "caught (first failing test)", "missed" or "caught (build)" for one group.
run_group() {
    local output first
    output=$(cd "$build" && nice -n 19 ctest -j2 --stop-on-failure --timeout "$timeout" \
        -R "$1" 2>&1)
    echo "$output" >>"$log"
    # A failing line ends in "***Failed", "***Timeout" or, for a test that
    # aborted, "Subprocess aborted***Exception".
    first=$(grep -m1 -oE 'Test +#[0-9]+: [^ ]+ \.*[A-Za-z ]*\*+[A-Za-z]+' <<<"$output" |
        sed -E 's/.*: ([^ ]+) .*/\1/')
    if [[ -n $first ]]; then
        echo "caught ($first)"
    elif grep -q '100% tests passed' <<<"$output"; then
        echo missed
    else
        echo "caught (no test ran)"
    fi
}

patches=()
for patch in "$here"/*.patch; do
    name=$(basename "$patch" .patch)
    if (($# == 0)); then
        patches+=("$patch")
    else
        for pattern in "$@"; do [[ $name == $pattern* ]] && patches+=("$patch") && break; done
    fi
done

log=$build/mutations.log
: >"$log"
header="| fault |"
rule="|---|"
for group in "${groups[@]}"; do
    header+=" $group |"
    rule+="---|"
done
rows=()
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    row="| $name |"
    if ! patcher --check "$patch"; then
        row+=" does not apply |"
    else
        patcher "$patch" && applied=$patch
        if ! nice -n 19 cmake --build "$build" "${targets[@]}" >>"$log" 2>&1; then
            for group in "${groups[@]}"; do row+=" caught (build) |"; done
        else
            for group in "${groups[@]}"; do row+=" $(run_group "$group") |"; done
        fi
        revert
    fi
    rows+=("$row")
    echo "$row" >&2
done
# Leave the build matching the tree again.
nice -n 19 cmake --build "$build" "${targets[@]}" >>"$log" 2>&1

echo "$header"
echo "$rule"
printf '%s\n' "${rows[@]}"
