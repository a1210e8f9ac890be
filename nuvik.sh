#!/usr/bin/env bash
# Set-up, build and run on a Debian machine:
#   ./nuvik.sh run | test | sanitize | fuzz [SECONDS] | soak [GAMES] | bench
# Installs only what is missing (sudo when not root), builds out of tree: the
# game and tests in build/, the sanitizer build in build-asan/, the fuzz
# targets in build-fuzz/, the benchmarks in build-release/.
set -euo pipefail
cd "$(dirname "$0")"

# The help draws its box-drawing frames in DejaVu Sans Mono; the save tests
# give a file an access list with setfacl, and make ext2, btrfs and XFS disks.
PACKAGES=(cmake make g++ qt6-base-dev libfontconfig-dev fonts-dejavu-core libgtest-dev libgmock-dev
          libbenchmark-dev acl e2fsprogs btrfs-progs xfsprogs)
# The start-up comparison runs the game under a virtual X server.
BENCH_PACKAGES=(xvfb pkg-config libxcb-damage0-dev libxcb-xtest0-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

# build FOLDER BUILD_TYPE [cmake arguments...] [-- targets...]
build() {
    local dir=$1 type=$2
    shift 2
    local args=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do args+=("$1"); shift; done
    [ $# -gt 0 ] && shift && targets=("$@")
    install_missing "${PACKAGES[@]}"
    # shellcheck disable=SC2086 # CMAKE_ARGS holds several arguments
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${args[@]}" ${CMAKE_ARGS:-}
    local target_args=()
    [ ${#targets[@]} -gt 0 ] && target_args=(--target "${targets[@]}")
    cmake --build "$dir" -j "$(nproc)" "${target_args[@]}"
}

run_tests() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
}

case "${1:-}" in
    run)
        build "${BUILD:-build}" RelWithDebInfo
        exec "${BUILD:-build}/app/nuvik3t"
        ;;
    test)
        build "${BUILD:-build}" RelWithDebInfo
        run_tests "${BUILD:-build}"
        ;;
    sanitize)
        # Every test again under AddressSanitizer (leaks included) and
        # UndefinedBehaviorSanitizer. No recovery: the first report aborts
        # the test, so any report fails the run.
        san="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
        build build-asan RelWithDebInfo -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san"
        UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
        ;;
    fuzz)
        install_missing clang
        clang_major=$(clang++ -dumpversion | cut -d. -f1)
        install_missing "libclang-rt-$clang_major-dev"
        build build-fuzz RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DNUVIK_FUZZ=ON -- fuzz_targets
        fuzz/run.sh "${2:-60}" build-fuzz
        ;;
    soak)
        # Whole games by the headless player, rules checked after every
        # event; prints games, ticks and resident memory.
        build build-release Release -- soak
        build-release/tests/soak/soak --games "${2:-1000}"
        ;;
    bench)
        PACKAGES+=("${BENCH_PACKAGES[@]}")
        build build-release Release
        bench/table.sh build-release
        ;;
    *)
        echo "usage: $0 run | test | sanitize | fuzz [SECONDS] | soak [GAMES] | bench" >&2
        exit 2
        ;;
esac
