#!/bin/sh
# Sets up a Debian 12 machine and builds ZEB.
#   tools/setup.sh run    install what is missing, build, and run zeb
#   tools/setup.sh test   install what is missing, build with -Werror, run every test and
#                         check the Debian package in a clean root
# `test` runs every stage even when an earlier one fails, prints a summary with each
# stage's time, and exits non-zero if any stage failed.
set -eu
cd "$(dirname "$0")/.."

# Mesa's packages come in one install call so they stay at one point release.
# xfonts-base: SDL's X11 message box needs a core X font (-*-*-medium-r-normal--*-120-*)
# from the X server; the tests' Xvfb has only "fixed" without it, and
# --no-install-recommends drops it. (A desktop's X server brings it, so the package
# does not depend on it.)
# libclang-rt-14-dev: clang's sanitizer and libFuzzer runtimes (only recommended by clang).
# python3: the town generator's check and the contact-sheet scripts.
# openbox, fluxbox: the window managers of the desktop end-to-end tests (two that differ).
# dpkg-dev, file: CPack's Debian package (dpkg-shlibdeps); desktop-file-utils, groff-base:
# the install-tree test; debootstrap, mount: the package stage's clean root; lintian: the
# package stage's check of the package against Debian's policy.
# libwayland-dev: zeb asks the Wayland compositor for an input seat before SDL does.
# sway, xwayland, weston, wtype, x11-xserver-utils: the Wayland end-to-end test (headless
# compositors with and without a seat, XWayland, a virtual keyboard, xhost).
PACKAGES="build-essential cmake pkg-config clang libclang-rt-14-dev
  libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation libpng-dev
  libgtest-dev xvfb xfonts-base xdotool x11-utils openbox fluxbox python3
  dpkg-dev file desktop-file-utils groff-base debootstrap mount lintian
  libwayland-dev sway xwayland weston wtype x11-xserver-utils"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

install_missing() {
    missing=""
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    $SUDO apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
}

JOBS=$(nproc)

# Runs one named stage, records its result and time, and never stops the script.
FAILED=""
SUMMARY=""
stage() {
    name=$1
    shift
    echo "=== $name"
    start=$(date +%s)
    if "$@"; then result=passed; else result=FAILED; FAILED="$FAILED $name"; fi
    seconds=$(( $(date +%s) - start ))
    SUMMARY="$SUMMARY
  $result  $name  (${seconds} s)"
}

build_test() {
    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEB_WERROR=ON &&
        cmake --build build-test -j"$JOBS"
}
ctest_test() { (cd build-test && ctest --output-on-failure -j"$JOBS"); }
# The Debian package, installed into a clean Debian root (kept in /var/cache/zeb-ci),
# started under Xvfb, quit and purged.
package_test() {
    rm -f build-test/zeb_*.deb
    (cd build-test && cpack -G DEB) && $SUDO tests/package_check.sh build-test/zeb_*.deb
}
# The bitmap reader and the level loader under libFuzzer with sanitizers.
build_fuzz() {
    CXX=clang++ cmake -S . -B build-fuzz -DZEB_FUZZ=ON && cmake --build build-fuzz -j"$JOBS"
}
ctest_fuzz() { (cd build-fuzz && ctest --output-on-failure -j"$JOBS"); }
# The soak: random replay scripts under the address and undefined-behaviour sanitizers.
build_soak() {
    cmake -S . -B build-soak -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEB_SANITIZE=ON &&
        cmake --build build-soak -j"$JOBS" --target zeb-replay zeb_data
}
soak() { python3 tools/soak/soak.py --build build-soak --seconds "${SOAK_SECONDS:-100}"; }

case "${1:-}" in
run)
    install_missing
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
    cmake --build build -j"$JOBS"
    cd build && exec ./zeb
    ;;
test)
    all_start=$(date +%s)
    stage install install_missing
    stage build build_test
    stage ctest ctest_test # runs what was built even when the build failed in part
    stage package package_test
    stage build-fuzz build_fuzz
    stage fuzz ctest_fuzz
    stage build-soak build_soak
    stage soak soak
    echo "=== summary ($(( $(date +%s) - all_start )) s in all)$SUMMARY"
    if [ -n "$FAILED" ]; then
        echo "failed stages:$FAILED"
        exit 1
    fi
    echo "all stages passed"
    ;;
*)
    echo "usage: tools/setup.sh run|test" >&2
    exit 2
    ;;
esac
