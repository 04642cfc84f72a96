#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each on fuzz/corpus.
# Usage: fuzz/run.sh [SECONDS]     each target for SECONDS (default 60); any
#                                  crash, leak, timeout or sanitizer report fails
#        fuzz/run.sh --minimise [DIR...]
#                                  rebuilds each corpus (fuzz/corpus*) as the smallest
#                                  set of files that keeps the coverage of its targets
#                                  on the seeds, the corpus and the files in DIR...; files
#                                  that crash a target go to fuzz/findings/ instead
# New units and crashing inputs go to build-fuzz/fuzz-run/TARGET/, never into
# the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh

kc_install_missing "${KC_BASE_PACKAGES[@]}" "${KC_PICTURE_PACKAGES[@]}" "${KC_FUZZ_PACKAGES[@]}"

build=build-fuzz
targets=(kc_fuzz_read kc_fuzz_draw kc_fuzz_analyses kc_fuzz_form kc_fuzz_names kc_fuzz_paste kc_fuzz_settings)
# Each target's corpus: the test files for those that read one, a folder of
# texts of its own kind for the others (seeds in kc_fuzz_corpus's folder of
# the same name).
declare -A corpus=([kc_fuzz_read]=corpus [kc_fuzz_draw]=corpus [kc_fuzz_analyses]=corpus
                   [kc_fuzz_form]=corpus-form [kc_fuzz_names]=corpus-names [kc_fuzz_paste]=corpus-paste
                   [kc_fuzz_settings]=corpus-settings)
if [ ! -f "$build/CMakeCache.txt" ]; then
    # Optimised as fuzzing builds usually are: quick to build, line numbers in reports.
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DKC_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only"
fi
if [ "${1:-}" = "--minimise" ]; then
    cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" kc_fuzz_corpus
else
    cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
fi

export QT_QPA_PLATFORM=offscreen
# Every report stops the run. Leaks are checked after each input that
# allocated more than it freed; Qt's one-time allocations stay reachable from
# its globals, and the suppressions cover the system libraries' own leaks.
# A smaller quarantine and shorter allocation stacks than ASan's defaults
# roughly double the executions per second (the sociogram's pictures alone
# would fill the default quarantine within a few inputs); a crashing input
# run again by hand gets the full reports.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:quarantine_size_mb=16:malloc_context_size=8"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
if [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi

if [ "${1:-}" = "--minimise" ]; then
    shift
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/seeds"
    "$build/fuzz/kc_fuzz_corpus" "$work/seeds"
    # Each target keeps what it needs; a corpus is the union of its targets'.
    for target in "${targets[@]}"; do
        kind=${corpus[$target]}
        seeds="$work/seeds/$([ "$kind" = corpus ] && echo tests || echo "${kind#corpus-}")"
        mkdir -p "$work/$target" "$work/all-$kind" "fuzz/$kind"
        "$build/fuzz/$target" -merge=1 "$work/$target" "fuzz/$kind" "$seeds" "$@" 2>"$work/$target.log" ||
            { tail -n 30 "$work/$target.log"; exit 1; }
        cp "$work/$target"/* "$work/all-$kind/" 2>/dev/null || true
    done
    # A unit that one target needs may crash another: it is a finding, kept
    # in fuzz/findings/ to be fixed, and out of the corpus, so that every run
    # starts from inputs that pass and spends its time finding new faults.
    for target in "${targets[@]}"; do
        kind=${corpus[$target]}
        while ! "$build/fuzz/$target" -runs=0 -artifact_prefix="$work/$target-" "$work/all-$kind" >"$work/check.log" 2>&1; do
            crash=$(ls "$work/$target-"* 2>/dev/null | head -n 1)
            [ -n "$crash" ] || { tail -n 30 "$work/check.log"; exit 1; }
            name=$(sha1sum "$crash" | cut -d' ' -f1)
            mkdir -p fuzz/findings
            mv "$crash" "fuzz/findings/$target-$name"
            rm -f "$work/all-$kind/$name"
            echo "fuzz/findings/$target-$name: $(grep -m1 -E '^FAULT|^SUMMARY' "$work/check.log")"
        done
    done
    for kind in $(printf '%s\n' "${corpus[@]}" | sort -u); do
        mkdir -p "fuzz/$kind"
        rm -f "fuzz/$kind"/*
        cp "$work/all-$kind"/* "fuzz/$kind/"
        echo "fuzz/$kind: $(ls "fuzz/$kind" | wc -l) files, $(du -sk "fuzz/$kind" | cut -f1) KiB"
    done
    exit 0
fi

seconds=${1:-60}
# The last value libFuzzer printed for a statistic of a run's log.
stat_of() { sed -n "s/^stat::$2: *//p" "$1" | tail -n 1; }
results=()
failed=0
for target in "${targets[@]}"; do
    run="$build/fuzz-run/$target"
    rm -rf "$run"
    mkdir -p "$run/new" "$run/artifacts"
    echo "Fuzzing $target for $seconds s (log in $run/log)"
    status=0
    # New units go to the first directory, the scratch one; the corpus is only read.
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$run/artifacts/" "$run/new" "fuzz/${corpus[$target]}" >"$run/log" 2>&1 || status=$?
    result="$target $(stat_of "$run/log" number_of_executed_units) execs"
    result="$result ($(stat_of "$run/log" average_exec_per_sec)/s, $(ls "$run/new" | wc -l) new units)"
    if [ "$status" -ne 0 ] || [ -n "$(ls "$run/artifacts")" ]; then
        failed=1
        tail -n 80 "$run/log"
        result="$result FAILED: exit $status, input $(ls "$run/artifacts"/* 2>/dev/null | tr '\n' ' ')"
    fi
    echo "$result"
    results+=("$result")
done

verdict=$([ "$failed" -eq 0 ] && echo "passed, no findings" || echo FAILED)
summary=$(printf '%s; ' "${results[@]}")
echo "Fuzzing $verdict (ASan+UBSan, $seconds s per target): ${summary%; }"
exit "$failed"
