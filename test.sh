#!/usr/bin/env bash
# Builds and runs every test: a Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, a Release build, and the libFuzzer targets
# (clang, sanitizers on) for a bounded time each.  After each build the
# layer check (tools/layercheck) reads the libraries and their sources.
# Exits non-zero on any failure.
#
#   TW_FUZZ_SECONDS  seconds per fuzz target (default 20; 0 skips fuzzing)
#   TW_JOBS          parallel build and test jobs (default: all cores)
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
tw_install_missing "${TW_RUN_PACKAGES[@]}" "${TW_TEST_PACKAGES[@]}"

jobs=${TW_JOBS:-$(nproc)}
fuzz_seconds=${TW_FUZZ_SECONDS:-20}

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

build_and_test build/asan -DCMAKE_BUILD_TYPE=Debug -DTW_SANITIZE=ON
build_and_test build/release -DCMAKE_BUILD_TYPE=Release

if [ "$fuzz_seconds" -gt 0 ]; then
    echo "== build/fuzz: libFuzzer targets, ${fuzz_seconds}s each"
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build build/fuzz -j "$jobs" --target fuzzers
    for target in build/fuzz/tests/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        name=$(basename "$target")
        work=$(mktemp -d)
        cp -r "tests/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
        echo "-- $name"
        # Absolute paths: the targets change their working directory.
        "$PWD/$target" -max_total_time="$fuzz_seconds" -close_fd_mask=3 "$work" \
            >"$work.log" 2>&1 || {
            tail -n 60 "$work.log"
            echo "fuzz target $name found a failure (inputs in $work)"
            exit 1
        }
        tail -n 2 "$work.log"
        rm -rf "$work" "$work.log"
    done
fi
echo "all tests passed"
