#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets a Debian/Ubuntu machine up for Wogenfeld, builds it, then starts the
# program ("run"), runs every test ("test"), or builds the browser edition's
# site and serves it ("web"; "web --build-only" stops after building).
set -euo pipefail
cd "$(dirname "$0")"

usage() { echo "usage: bash wogenfeld.sh run|test|web [--build-only]" >&2; exit 2; }
mode=${1:-}
build_only=no
case "$mode $#" in
"run 1" | "test 1" | "web 1") ;;
"web 2") [ "$2" = --build-only ] || usage; build_only=yes ;;
*) usage ;;
esac
# The browser tests need three engines and the site; WOGENFELD_BROWSER_STAGE=off
# leaves them out (CI's second release: the site does not depend on the host).
browser_stage=${WOGENFELD_BROWSER_STAGE:-on}

if [ "$mode" = web ]; then
    packages=(cmake make python3 emscripten fonts-liberation2)
else
    packages=(g++ cmake make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev libgif-dev
              libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2
              xvfb openbox xdotool libxcb1-dev python3)
fi
# The tests also build the Debian package and check it as a distribution would,
# read the window through the accessibility bus as a screen reader does, and
# open the tables in a real spreadsheet.
[ "$mode" = test ] && packages+=(dpkg-dev file help2man lintian appstream desktop-file-utils
                                 at-spi2-core python3-pyatspi dbus-daemon clang-format git
                                 libreoffice-calc-nogui)
[ "$mode" = test ] && [ "$browser_stage" != off ] && packages+=(emscripten chromium firefox-esr webkit2gtk-driver)
# node and npm are taken wherever they come from: a node of another source
# may conflict with Debian's npm package, so Debian's are only for machines
# that have neither.
if [ "$mode" = web ] || { [ "$mode" = test ] && [ "$browser_stage" != off ]; }; then
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi
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

# The browser edition: the core in WebAssembly with the software extended
# reals, and the site around it in build-web/site/.
build_site() {
    # Debian 12's Emscripten runs its optimiser on node with modules found only there.
    [ -d /usr/share/nodejs ] && export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
        -DWOGENFELD_BUILD_TESTS=OFF -DWOGENFELD_BUILD_BENCHMARKS=OFF -DWOGENFELD_SOFT_EXTENDED=ON \
        -DWOGENFELD_WARNINGS_AS_ERRORS="$werror"
    cmake --build build-web -j"$(nproc)"
    local bytes
    bytes=$(du -sb build-web/site | cut -f1)
    echo "The site in build-web/site/: $bytes bytes"
    if [ "$bytes" -gt 2097152 ]; then
        echo "The site is larger than 2 MB." >&2
        exit 1
    fi
}

if [ "$mode" = web ]; then
    build_site
    [ "$build_only" = yes ] && exit 0
    echo "Serving the site on http://127.0.0.1:8080/ until interrupted (Ctrl+C)."
    exec python3 -m http.server 8080 --bind 127.0.0.1 --directory build-web/site
fi

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
    # Then the browser edition in Chromium, Firefox ESR and WebKitGTK, judged
    # against this build's renderer.
    if [ "$browser_stage" != off ]; then
        build_site
        PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix tests/browser --no-audit --no-fund
        # The three engines side by side: they wait on pages more than they compute.
        engines=(chromium firefox webkit)
        pids=()
        for engine in "${engines[@]}"; do
            node tests/browser/site-test.mjs build-web/site build/render/wogenfeld-render "$engine" \
                --window-lessons build/tests/window-lessons \
                >"build-web/browser-$engine.log" 2>&1 &
            pids+=("$!")
        done
        failed=()
        for k in "${!engines[@]}"; do
            wait "${pids[k]}" || failed+=("${engines[k]}")
            cat "build-web/browser-${engines[k]}.log"
        done
        [ ${#failed[@]} -eq 0 ] || { echo "browser tests failed in: ${failed[*]}" >&2; exit 1; }
    fi
    ;;
run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "Wogenfeld is built, but there is no display to open its window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
        exit 1
    fi
    exec build/ui/wogenfeld
    ;;
esac
