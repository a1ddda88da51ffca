#!/usr/bin/env bash
# Builds every libFuzzer target with clang in build-fuzz and runs each for N seconds
# (default 60) on a copy of its seed corpus. Usage: fuzz/run.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="$PWD/build-fuzz"

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAPBURG_HEADLESS_ONLY=ON -DTAPBURG_BUILD_TESTS=OFF -DTAPBURG_BUILD_BENCH=OFF \
    -DTAPBURG_FUZZ=ON -DTAPBURG_SANITIZE=address,undefined -DTAPBURG_WERROR=ON \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for source in fuzz/fuzz_*.cpp; do
    target="$(basename "$source" .cpp)"
    name="${target#fuzz_}"
    cmake --build "$build" --target "$target" -j2
    # New inputs found by a run stay out of the repo's seed corpus.
    work="$build/corpus/$name"
    mkdir -p "$work"
    if [ -d "fuzz/corpus/$name" ]; then
        cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
    fi
    echo "== $target for ${seconds}s =="
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 "$work"
done
