#!/usr/bin/env bash
# Set-up, build and run on a Debian machine: ./nuvik.sh run | test | bench
# Installs only what is missing (sudo when not root), builds out of tree in build/.
set -euo pipefail
cd "$(dirname "$0")"

BUILD=${BUILD:-build}
PACKAGES=(cmake make g++ qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev)
# The start-up comparison runs the game under a virtual X server.
BENCH_PACKAGES=(xvfb pkg-config libxcb-damage0-dev)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

build() {
    install_missing
    cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
    cmake --build "$BUILD" -j "$(nproc)"
}

case "${1:-}" in
    run)
        build
        exec "$BUILD/app/nuvik3t"
        ;;
    test)
        build
        cd "$BUILD"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
        ;;
    bench)
        PACKAGES+=("${BENCH_PACKAGES[@]}")
        build
        for b in "$BUILD"/bench/bench_*; do
            [ -x "$b" ] && [ -f "$b" ] && QT_QPA_PLATFORM=offscreen "$b"
        done
        bench/startup/run.sh "$BUILD"
        ;;
    *)
        echo "usage: $0 run | test | bench" >&2
        exit 2
        ;;
esac
