#!/usr/bin/env bash
# Plants one-line faults in the code, one at a time, and reports which the core
# and CLI tests catch. Every mutated file is restored, also on Ctrl+C.
#
# Usage: scripts/mutation_sample.sh [mutant file] [build dir]
#   mutant file (default tests/mutants.txt): one fault per line,
#     name @@ path @@ original text @@ replacement
#   The original text must occur on exactly one line of the file (else the
#   fault is reported "stale" and skipped: update its pattern). Lines starting
#   with # and blank lines are ignored. An empty replacement drops the text.
#   MUTANT=name runs only the faults whose name contains `name`.
#   TEST_TIMEOUT (seconds, default 300) bounds each test program's run.
#   GUI=1 also builds the GUI test programs (gui_* from tests/gui/*_test.cpp)
#     and runs them on the offscreen platform when the core and CLI tests let
#     the fault pass; the build must be configured with the GUI on. A fault in
#     src/gui skips the core and CLI tests, which do not link that code; one in
#     src/cli skips the core tests.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
list="${1:-tests/mutants.txt}"
build="${2:-build}"
timeout_s="${TEST_TIMEOUT:-300}"
log="$build/mutation"
mkdir -p "$log"

backup=""
target=""
restore() {
    if [ -n "$backup" ] && [ -f "$backup" ]; then
        # A fresh time stamp: the build must see the file changed back.
        cat "$backup" >"$target" && rm -f "$backup"
        backup=""
    fi
}
trap 'restore; echo "interrupted: restored $target" >&2; exit 130' INT TERM
trap restore EXIT

build_tests() {
    nice cmake --build "$build" -j2 --target "$@" >"$log/build.txt" 2>&1
}

# Runs one test program; it stops at its first failure. ctest's process per
# test is far slower for this and proves the same.
run_program() {
    if ! (cd "$build/tests" && timeout "$timeout_s" "./$1" --gtest_fail_fast --gtest_brief=1) >"$log/run.txt" 2>&1; then
        first_failure="$(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_/.]*' "$log/run.txt" | sed 's/.*\] //')"
        [ -z "$first_failure" ] && first_failure="$1 (crash or timeout)"
        return 1
    fi
}

# A Qt Test program runs all its cases; the first failing one names the catch.
run_gui_program() {
    if ! (cd "$build/tests" && QT_QPA_PLATFORM=offscreen timeout "$timeout_s" "./$1") >"$log/run.txt" 2>&1; then
        first_failure="$(grep -m1 -o 'FAIL!  : [A-Za-z0-9_:]*' "$log/run.txt" | sed 's/.*: //')"
        [ -z "$first_failure" ] && first_failure="$1 (crash or timeout)"
        return 1
    fi
}

gui_programs=()
if [ "${GUI:-0}" = 1 ]; then
    for source in tests/gui/*_test.cpp; do
        name="${source##*/}"
        gui_programs+=("gui_${name%.cpp}")
    done
fi

# The CLI and its tests are linked only when the core tests let the fault pass,
# the GUI tests (GUI=1) only when the CLI tests do too.
# Returns 0 when the fault survives, 1 when a test catches it, 2 when it does not build.
try_mutant() {
    if [[ "$target" == src/core/archive/* ]]; then
        # Archiving has its own test program (built where libFLAC and libarchive are).
        build_tests archive_tests || return 2
        run_program archive_tests || return 1
    fi
    if [ ${#gui_programs[@]} -eq 0 ] || [[ "$target" != src/gui/* ]]; then
        # The core tests do not link the command line's code either.
        if [[ "$target" != src/cli/* ]]; then
            build_tests core_tests || return 2
            run_program core_tests || return 1
        fi
        build_tests cli_tests || return 2
        run_program cli_tests || return 1
    fi
    if [ ${#gui_programs[@]} -gt 0 ]; then
        build_tests "${gui_programs[@]}" || return 2
        for program in "${gui_programs[@]}"; do run_gui_program "$program" || return 1; done
    fi
    return 0
}

echo "Building the unchanged code ..."
try_mutant; status=$?
if [ $status -ne 0 ]; then
    echo "The unchanged code does not build or its tests fail: see $log" >&2
    exit 2
fi

killed=0 survived=0 stale=0 broken=0
survivors=()
while IFS= read -r line || [ -n "$line" ]; do
    [[ -z "${line//[[:space:]]/}" || "$line" =~ ^[[:space:]]*# ]] && continue
    [[ "$line" == *" @@" ]] && line="$line "    # an empty replacement drops the text
    name="${line%% @@ *}"; rest="${line#* @@ }"
    path="${rest%% @@ *}"; rest="${rest#* @@ }"
    original="${rest%% @@ *}"; replacement="${rest#* @@ }"
    if [ -n "${MUTANT:-}" ] && [[ "$name" != *"$MUTANT"* ]]; then continue; fi
    if [ ! -f "$path" ] || [ "$(grep -cF -- "$original" "$path")" != 1 ]; then
        printf '%-34s STALE (pattern not found once in %s)\n' "$name" "$path"
        stale=$((stale + 1)); continue
    fi
    target="$path"; backup="$(mktemp)"
    cp "$path" "$backup"
    content="$(cat "$path"; printf x)"; content="${content%x}"
    printf '%s' "${content/"$original"/"$replacement"}" >"$path"
    try_mutant; status=$?
    if [ $status -eq 2 ]; then
        printf '%-34s does not compile (fix the mutant)\n' "$name"
        broken=$((broken + 1))
    elif [ $status -eq 0 ]; then
        printf '%-34s SURVIVED\n' "$name"
        survived=$((survived + 1)); survivors+=("$name")
    else
        printf '%-34s killed by %s\n' "$name" "$first_failure"
        killed=$((killed + 1))
    fi
    restore
done <"$list"

build_tests core_tests cli_tests "${gui_programs[@]}" || true
echo
echo "killed $killed of $((killed + survived)) (stale $stale, not compiling $broken)"
[ ${#survivors[@]} -gt 0 ] && echo "survivors: ${survivors[*]}"
exit 0
