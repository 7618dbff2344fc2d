#!/bin/bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Mutation trial: plants each bug of scripts/mutants/ in a scratch copy of the
# tree, one at a time, rebuilds incrementally and runs the test executables
# the bug changed; a bug that no test notices survives. Takes about ten
# minutes (a first run builds the whole tree before), so it is not part of
# .ci/run.
#
#   scripts/mutation.sh [NAME...]   every mutant, or those named (file names
#                                   without .patch; shell patterns work)
#
# A mutant is one file, <area>-<what>.patch: comment lines first, "# <what the
# bug does>"; for a change that no test can notice, "# equivalent: <why>";
# optionally "# tests: test_x ..." for the executables most likely to catch it
# (they run first, then the tests of the mutated folder, then the rest,
# quickest first); then a unified diff
# from the repository root (git diff output fits). Names begin with their area
# (engine, settings, datafile, drops, mask, attr, scan and search, datalist,
# bulk); renaming's mutants join them as rename-*.patch.
#
# The scratch copy and its build folder live in build/mutation
# (DORVAN_MUTATION_DIR elsewhere) and are kept between runs, so that only the
# files a mutant touches recompile. A test executable runs for a mutant only
# when its binary differs from the unmutated one. As root, each test
# executable runs in a mount namespace of its own with /tmp on a scratch
# folder, so that a killed test leaves neither mounts nor files behind.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
mutants=$root/scripts/mutants
work=${DORVAN_MUTATION_DIR:-$root/build/mutation}
tree=$work/tree
build=$work/build
logs=$work/logs
scratchTmp=$work/tmp
started=$SECONDS

elapsed() { printf '%dm%02ds' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)); }

# The tree as it stands, tracked and new files alike; a file is copied only
# when its content differs, so the others keep their times and do not rebuild.
syncTree() {
    mkdir -p "$tree"
    local listed=$work/listed present=$work/present f
    (cd "$root" && git ls-files -co --exclude-standard -z | sort -z) >"$listed"
    while IFS= read -r -d '' f; do
        [ -f "$root/$f" ] || continue
        if ! cmp -s "$root/$f" "$tree/$f"; then
            mkdir -p "$(dirname "$tree/$f")"
            cp --preserve=mode "$root/$f" "$tree/$f"
        fi
    done <"$listed"
    (cd "$tree" && find . -type f -printf '%P\0' | sort -z) >"$present"
    comm -z -13 "$listed" "$present" | while IFS= read -r -d '' f; do rm -f "$tree/$f"; done
}

configure() {
    [ -f "$build/build.ninja" ] && return
    local linker=()
    command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
    # No debug information: compiling and linking take a fraction of the time.
    cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG" "${linker[@]}" \
        -DDORVAN_BUILD_TESTS=ON >"$work/configure.log"
}

buildTests() { cmake --build "$build" --target "${tests[@]}" -- -j2 >"$work/build.log" 2>&1; }

isolated=0
if [ "$(id -u)" = 0 ] && unshare --mount --propagation private true 2>/dev/null; then isolated=1; fi

# Runs one test executable; its exit status (124 or more: it timed out).
runTest() {
    local exe=$1 limit=$2 out=$3
    rm -rf "$scratchTmp" && mkdir -p "$scratchTmp"
    local status=0
    if [ $isolated = 1 ]; then
        QT_QPA_PLATFORM=offscreen timeout -k 10 "$limit" unshare --mount --propagation private \
            sh -c 'mount --bind "$0" /tmp && exec "$@"' "$scratchTmp" \
            "$build/tests/$exe" --gtest_brief=1 --gtest_fail_fast >"$out" 2>&1 || status=$?
    else
        QT_QPA_PLATFORM=offscreen timeout -k 10 "$limit" \
            "$build/tests/$exe" --gtest_brief=1 --gtest_fail_fast >"$out" 2>&1 || status=$?
    fi
    rm -rf "$scratchTmp"
    return $status
}

# Comment fields of a mutant: "equivalent" or "" for its description.
field() {
    local file=$1 key=$2
    sed -n '/^[^#]/q; s/^# *//p' "$file" | if [ -z "$key" ]; then
        grep -Ev '^(equivalent|tests):' | head -n 1
    else
        sed -n "s/^$key: *//p" | head -n 1
    fi
}

applyPatch() { patch -p1 -d "$tree" --silent --no-backup-if-mismatch -r - "$@"; }

# ---- the mutants to plant -----------------------------------------------------
selected=()
if [ $# -eq 0 ]; then
    selected=("$mutants"/*.patch)
else
    for name in "$@"; do
        matched=0
        for m in "$mutants"/$name.patch; do
            [ -f "$m" ] && selected+=("$m") && matched=1
        done
        [ $matched = 1 ] || { echo "no mutant named $name" >&2; exit 2; }
    done
fi

# ---- the unmutated tree: built, and every test passes -----------------------
mkdir -p "$work" "$logs"
rm -f "$logs"/*.log
syncTree
configure
tests=()
for d in "$tree"/tests/*/; do
    area=$(basename "$d")
    # Folders of test sources; support/ and sanitizers/ hold none of their own.
    [ "$area" = support ] || ! ls "$d"*.cpp >/dev/null 2>&1 || tests+=("test_$area")
done
buildTests || { echo "the unmutated tree does not build: $work/build.log" >&2; exit 1; }
declare -A hash seconds
for t in "${tests[@]}"; do
    hash[$t]=$(sha256sum <"$build/tests/$t")
    begin=$SECONDS
    if ! runTest "$t" 900 "$logs/baseline-$t.log"; then
        echo "the unmutated tree fails $t: $logs/baseline-$t.log" >&2
        exit 1
    fi
    seconds[$t]=$((SECONDS - begin))
done
# Quickest first: most mutants are caught by the first executable that fails.
mapfile -t ordered < <(for t in "${tests[@]}"; do echo "${seconds[$t]} $t"; done | sort -n | cut -d' ' -f2)
echo "baseline built and passed in $(elapsed); ${#selected[@]} mutants"

# ---- one mutant at a time ---------------------------------------------------
killed=0
total=0
survivors=()
broken=()
for m in "${selected[@]}"; do
    name=$(basename "$m" .patch)
    if ! applyPatch --forward --dry-run <"$m" >/dev/null 2>&1; then
        broken+=("$name: does not apply")
        printf '%-9s %s\n' "broken" "$name (does not apply)"
        continue
    fi
    applyPatch --forward <"$m"
    if ! buildTests; then
        cp "$work/build.log" "$logs/$name.build.log"
        applyPatch -R <"$m"
        broken+=("$name: does not build ($logs/$name.build.log)")
        printf '%-9s %s\n' "broken" "$name (does not build)"
        continue
    fi
    total=$((total + 1))
    # The executables the mutant names first, then the tests of the mutated
    # folder, then the rest: the first failure ends the run.
    area=$(sed -n 's|^+++ b/src/\([^/]*\)/.*|\1|p' "$m" | head -n 1)
    first=($(field "$m" tests) "test_$area")
    order=()
    for t in "${first[@]}" "${ordered[@]}"; do
        [ -n "${hash[$t]:-}" ] && [[ " ${order[*]} " != *" $t "* ]] && order+=("$t")
    done
    verdict=""
    ran=0
    for t in "${order[@]}"; do
        [ "$(sha256sum <"$build/tests/$t")" = "${hash[$t]}" ] && continue
        ran=$((ran + 1))
        status=0
        runTest "$t" $((seconds[$t] * 3 + 60)) "$logs/$name.log" || status=$?
        if [ $status -ne 0 ]; then
            verdict="$t"
            [ $status -ge 124 ] && verdict="$t (timed out)"
            break
        fi
    done
    applyPatch -R <"$m"
    if [ -n "$verdict" ]; then
        killed=$((killed + 1))
        printf '%-9s %-44s %s\n' "killed" "$name" "by $verdict [$(elapsed)]"
    else
        [ $ran = 0 ] && name="$name (no test executable changed)"
        survivors+=("$m|$name")
        printf '%-9s %-44s %s\n' "SURVIVED" "$name" "[$(elapsed)]"
    fi
done

# ---- the score --------------------------------------------------------------
unexplained=0
if [ ${#survivors[@]} -gt 0 ]; then
    echo
    echo "survivors:"
    for s in "${survivors[@]}"; do
        m=${s%%|*}
        echo "  ${s#*|}: $(field "$m" "")"
        why=$(field "$m" equivalent)
        if [ -n "$why" ]; then
            echo "    equivalent: $why"
        else
            echo "    NOT EXPLAINED: a test should catch it"
            unexplained=$((unexplained + 1))
        fi
    done
fi
if [ ${#broken[@]} -gt 0 ]; then
    echo
    echo "not counted (fix the mutant):"
    for b in "${broken[@]}"; do echo "  $b"; done
fi
echo
echo "time: $(elapsed)"
echo "mutants: $killed killed of $total"
[ $unexplained = 0 ] && [ ${#broken[@]} = 0 ]
