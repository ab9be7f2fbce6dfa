#!/usr/bin/env bash
# Builds and runs every test: a Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, a Release build, a ThreadSanitizer build of
# only the tests that run the client's threads (the cursor thread on a real
# window; target thread_tests), and the libFuzzer targets (clang, sanitizers
# on) within one time budget for all of them.  After the full builds the
# layer check (tools/layercheck) reads the libraries and their sources.
# Exits non-zero on any failure.
#
#   TW_FUZZ_SECONDS  fuzzing seconds for all targets together, split evenly
#                    between them (default 300; 0 skips fuzzing)
#   TW_JOBS          parallel build and test jobs (default: all cores)
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
tw_install_missing "${TW_RUN_PACKAGES[@]}" "${TW_TEST_PACKAGES[@]}"

jobs=${TW_JOBS:-$(nproc)}
fuzz_total=${TW_FUZZ_SECONDS:-300}

build_and_test() {
    local dir=$1
    shift
    echo "== $dir: configure and build"
    cmake -S . -B "$dir" -DTW_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    echo "== $dir: layer check"
    tools/layercheck "$dir"
    echo "== $dir: tests"
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure --no-tests=error
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}

build_and_test build/asan -DCMAKE_BUILD_TYPE=Debug -DTW_SANITIZE=ON
build_and_test build/release -DCMAKE_BUILD_TYPE=Release

# Only the thread tests' target: the libraries it links and nothing else.
echo "== build/tsan: configure and build the thread tests"
cmake -S . -B build/tsan -DTW_WERROR=ON -DCMAKE_BUILD_TYPE=Debug -DTW_SANITIZE=thread >/dev/null
cmake --build build/tsan -j "$jobs" --target thread_tests
echo "== build/tsan: tests"
ctest --test-dir build/tsan -j "$jobs" --output-on-failure --no-tests=error

# Inputs that fuzzing found are kept in the repository's corpus under their
# SHA-1 names, up to this size (larger ones grow again from the sample
# seeds); inputs with other names are written by hand or by the seed makers
# and are always kept.
keep_max_bytes=16384

# fuzz_target NAME SECONDS: runs one target from its saved inputs and the
# sample seeds.  Then the found inputs of the corpus are replaced by the
# smallest set (-merge=1) that keeps all coverage that the named inputs and
# the seeds lack, the earlier found inputs and this run's together, so the
# corpus grows only with new coverage.
fuzz_target() {
    local name=$1 seconds=$2
    # Absolute paths: the targets change their working directory.
    local target=$PWD/build/fuzz/tests/fuzz/$name
    local corpus=$PWD/tests/fuzz/corpus/$name
    local max_len
    max_len=$(cat "build/fuzz/tests/fuzz/$name.max_len")
    local work known found file
    work=$(mktemp -d)
    known=$(mktemp -d)
    found=$(mktemp -d)
    mkdir -p "$corpus" "$known/seeds"
    cp -r "$corpus/." "$work/"
    for file in "$corpus"/*; do
        [ -f "$file" ] || continue
        if [[ $(basename "$file") =~ ^[0-9a-f]{40}$ ]]; then
            cp "$file" "$found/"
        else
            cp "$file" "$known/"
        fi
    done
    if [ -d "build/fuzz/seeds/$name" ]; then
        cp -r "build/fuzz/seeds/$name/." "$work/"
        cp -r "build/fuzz/seeds/$name/." "$known/seeds/"
    fi
    echo "-- $name (max_len $max_len)"
    "$target" -max_len="$max_len" -max_total_time="$seconds" -close_fd_mask=3 "$work" \
        >"$work.log" 2>&1 || {
        tail -n 60 "$work.log"
        echo "fuzz target $name found a failure (inputs in $work)"
        exit 1
    }
    grep -E "DONE|^Done" "$work.log" | tail -n 2
    # -merge=1 copies into the first folder, under SHA-1 names, only the
    # inputs of the others that add coverage to what it holds.
    local before
    before=$(ls "$known")
    "$target" -merge=1 -max_len="$max_len" -close_fd_mask=3 "$known" "$found" "$work" \
        >"$work.merge.log" 2>&1 || {
        tail -n 30 "$work.merge.log"
        echo "merging the inputs of fuzz target $name failed (inputs in $work)"
        exit 1
    }
    local old kept=0
    old=$(find "$found" -type f | wc -l)
    find "$corpus" -maxdepth 1 -type f -regextype egrep -regex '.*/[0-9a-f]{40}' -delete
    for file in "$known"/*; do
        [ -f "$file" ] || continue
        grep -qxF "$(basename "$file")" <<<"$before" && continue
        [ "$(stat -c %s "$file")" -le "$keep_max_bytes" ] || continue
        cp "$file" "$corpus/"
        kept=$((kept + 1))
    done
    [ "$kept" -eq "$old" ] || echo "   found inputs in tests/fuzz/corpus/$name: $old before, $kept now"
    rm -rf "$work" "$known" "$found" "$work.log" "$work.merge.log"
}

if [ "$fuzz_total" -gt 0 ]; then
    cmake -S . -B build/fuzz -DTW_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build build/fuzz -j "$jobs" --target fuzzers
    echo "== build/fuzz: layer check"
    tools/layercheck build/fuzz
    # Seeds from the files of a fresh sample installation, made with the
    # Release build's tools.
    rm -rf build/fuzz/sample build/fuzz/seeds
    build/release/tools/mkinstall/mkinstall build/fuzz/sample >/dev/null
    build/release/tests/fuzz/make_sample_seeds build/fuzz/sample build/fuzz/seeds
    names=()
    for target in build/fuzz/tests/fuzz/fuzz_*; do
        [ -x "$target" ] && [ -f "$target.max_len" ] && names+=("$(basename "$target")")
    done
    seconds=$((fuzz_total / ${#names[@]}))
    [ "$seconds" -ge 1 ] || seconds=1
    echo "== build/fuzz: ${#names[@]} libFuzzer targets, ${fuzz_total}s in all, ${seconds}s each"
    for name in "${names[@]}"; do
        fuzz_target "$name" "$seconds"
    done
fi
echo "all tests passed"
