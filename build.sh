#!/usr/bin/env bash
# Tapburg's one entry point for players and developers on Debian 12.
#   ./build.sh play   install what is missing, build, start the game
#   ./build.sh test   install what is missing, build, run the whole test suite
# Both are idempotent: packages already present are not reinstalled and the build is
# incremental. Extra arguments after "test" go to ctest (for example -L core).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${TAPBURG_BUILD_DIR:-$here/build}"
packages=(build-essential cmake pkg-config libsfml-dev googletest libgtest-dev
          libbenchmark-dev xvfb xauth libgl1-mesa-dri clang libclang-rt-14-dev xdotool)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# TAPBURG_CMAKE_ARGS adds configure options (CI uses it for the sanitizer builds).
build() {
    # shellcheck disable=SC2086
    cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TAPBURG_CMAKE_ARGS:-} >/dev/null
    cmake --build "$build_dir" -j"$(nproc)"
}

# Tests open windows and audio devices: without a display they run under Xvfb, and
# OpenAL always uses its null driver so no sound card is needed.
run_tests() {
    export ALSOFT_DRIVERS=null
    local ctest=(ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" "$@")
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1920x1080x24" "${ctest[@]}"
    else
        "${ctest[@]}"
    fi
}

case "${1:-}" in
play)
    install_missing
    build
    exec "$build_dir/tapburg"
    ;;
test)
    shift
    install_missing
    build
    run_tests "$@"
    ;;
*)
    echo "usage: $0 play|test [ctest arguments]" >&2
    exit 2
    ;;
esac
