#!/usr/bin/env bash
# Tapburg's one entry point for players and developers on Debian 12.
#   ./build.sh play   install what is missing, build, start the game
#   ./build.sh test   install what is missing, build, run the whole test suite
# Both are idempotent: packages already present are not reinstalled and the build is
# incremental. Extra arguments after "test" go to ctest (for example -L core).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${TAPBURG_BUILD_DIR:-$here/build}"
# libx11-dev and xdotool serve the end-to-end tests; dpkg-dev and file let
# CPack work out the .deb's dependencies.
packages=(build-essential cmake pkg-config libsfml-dev googletest libgtest-dev
          libbenchmark-dev xvfb xauth libgl1-mesa-dri clang libclang-rt-14-dev xdotool
          libx11-dev dpkg-dev file)

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
    # Another install on the machine (an unattended upgrade, a second build) holds the
    # package lock for a while; wait for it instead of failing.
    local apt=(apt-get -o DPkg::Lock::Timeout=600)
    "${sudo[@]}" "${apt[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq "${missing[@]}"
}

# TAPBURG_CMAKE_ARGS adds configure options (CI uses it for the sanitizer builds).
build() {
    # shellcheck disable=SC2086
    cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAPBURG_WERROR=ON \
        ${TAPBURG_CMAKE_ARGS:-} >/dev/null
    cmake --build "$build_dir" -j"$(nproc)"
}

# Tests open windows and audio devices: without a display they run on a private Xvfb,
# and OpenAL always uses its null driver so no sound card is needed. Xvfb picks its own
# free display number (-displayfd), so parallel runs on one machine never share one.
run_tests() {
    export ALSOFT_DRIVERS=null
    local ctest=(ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" "$@")
    if [ -n "${DISPLAY:-}" ]; then
        "${ctest[@]}"
        return
    fi
    local fdfile xvfb
    fdfile="$(mktemp)"
    # -noreset: by default Xvfb resets whenever its last client disconnects, and a test
    # process that connects during the reset fails with "Failed to open X11 display"
    # (about 1 in 100 short-lived clients, two at a time).
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 600); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
        echo "Xvfb did not start" >&2
        kill "$xvfb" 2>/dev/null || true
        return 1
    fi
    local status=0
    DISPLAY=":$(head -n1 "$fdfile")" "${ctest[@]}" || status=$?
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -f "$fdfile"
    return "$status"
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
