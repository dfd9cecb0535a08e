#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets a Debian/Ubuntu machine up for Wogenfeld, builds it, then starts the
# program ("run") or runs every test ("test").
set -euo pipefail
cd "$(dirname "$0")"

usage() { echo "usage: bash wogenfeld.sh run|test" >&2; exit 2; }
[ $# -eq 1 ] || usage
case "$1" in run | test) ;; *) usage ;; esac

packages=(g++ cmake make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev libgif-dev
          libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2
          xvfb openbox xdotool libxcb1-dev python3)
# The tests also build the Debian package and check it as a distribution would,
# and read the window through the accessibility bus as a screen reader does.
[ "$1" = test ] && packages+=(dpkg-dev file help2man lintian appstream desktop-file-utils
                             at-spi2-core python3-pyatspi dbus-daemon)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Missing packages: ${missing[*]}. Install them as root, e.g. with" >&2
            echo "  su -c 'apt-get install --no-install-recommends ${missing[*]}'" >&2
            exit 1
        fi
        sudo=sudo
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# CI treats every warning as an error; a user's newer compiler should not stop a build.
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOGENFELD_WARNINGS_AS_ERRORS="$werror"
cmake --build build -j"$(nproc)"

case "$1" in
test)
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    # The core on its own with Qt hidden: it builds and passes with the C++ library alone.
    cmake -S . -B build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
        -DWOGENFELD_WARNINGS_AS_ERRORS="$werror"
    cmake --build build-core -j"$(nproc)"
    ctest --test-dir build-core --output-on-failure -j"$(nproc)"
    # The net in the software extended reals, as the browser computes it: both
    # programs, the tests that build with either reals, and the renderer's
    # hashes of the start and every example against the long double build's.
    cmake -S . -B build-soft -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOGENFELD_SOFT_EXTENDED=ON \
        -DWOGENFELD_BUILD_BENCHMARKS=OFF -DWOGENFELD_WARNINGS_AS_ERRORS="$werror"
    cmake --build build-soft -j"$(nproc)"
    ctest --test-dir build-soft --output-on-failure -j"$(nproc)"
    bash tools/compare-reals.sh build build-soft
    # Then all of it again under AddressSanitizer and UndefinedBehaviorSanitizer,
    # unless WOGENFELD_SANITIZER_STAGE=off (CI's second release, for its time).
    if [ "${WOGENFELD_SANITIZER_STAGE:-on}" != off ]; then
        cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOGENFELD_SANITIZE=ON \
            -DWOGENFELD_BUILD_BENCHMARKS=OFF -DWOGENFELD_WARNINGS_AS_ERRORS="$werror"
        cmake --build build-sanitize -j"$(nproc)"
        ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
    fi
    # Then the Debian package, built in its own folder as docs/install.md says.
    cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DWOGENFELD_BUILD_TESTS=OFF \
        -DWOGENFELD_BUILD_BENCHMARKS=OFF -DWOGENFELD_WARNINGS_AS_ERRORS="$werror"
    rm -f build-package/wogenfeld_*.deb
    cmake --build build-package -j"$(nproc)" --target package
    bash packaging/check-package.sh build-package/wogenfeld_*.deb
    ;;
run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "Wogenfeld is built, but there is no display to open its window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
        exit 1
    fi
    exec build/ui/wogenfeld
    ;;
esac
