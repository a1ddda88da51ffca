#!/usr/bin/env bash
# The headless core's tests under ThreadSanitizer: the tick runs on its own thread, and
# the stress test plays and draws against it. Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR="${TAPBURG_TSAN_DIR:-$PWD/build-tsan}"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
cmake -S . -B "$BUILD_DIR" -DTAPBURG_HEADLESS_ONLY=ON -DTAPBURG_SANITIZE=thread \
    -DTAPBURG_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAPBURG_WERROR=ON
cmake --build "$BUILD_DIR" -j2
cd "$BUILD_DIR"
ctest -L stress --output-on-failure
ctest -L core --output-on-failure
