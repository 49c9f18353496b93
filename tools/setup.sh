#!/bin/sh
# Sets up a Debian 12 machine and builds ZEB.
#   tools/setup.sh run    install what is missing, build, and run zeb
#   tools/setup.sh test   install what is missing, build with -Werror, run every test
set -eu
cd "$(dirname "$0")/.."

# Mesa's packages come in one install call so they stay at one point release.
PACKAGES="build-essential cmake pkg-config clang
  libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation libpng-dev
  libgtest-dev xvfb xdotool x11-utils"

install_missing() {
    missing=""
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
}

JOBS=$(nproc)
case "${1:-}" in
run)
    install_missing
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
    cmake --build build -j"$JOBS"
    cd build && exec ./zeb
    ;;
test)
    install_missing
    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEB_WERROR=ON
    cmake --build build-test -j"$JOBS"
    (cd build-test && ctest --output-on-failure -j"$JOBS")
    # The bitmap reader and the level loader under libFuzzer with sanitizers.
    CXX=clang++ cmake -S . -B build-fuzz -DZEB_FUZZ=ON
    cmake --build build-fuzz -j"$JOBS"
    (cd build-fuzz && ctest --output-on-failure)
    ;;
*)
    echo "usage: tools/setup.sh run|test" >&2
    exit 2
    ;;
esac
