#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built Debian package as a distribution would before taking it in:
# lintian without errors or warnings, valid software-centre metadata and menu
# entry, every program named in the metadata, the lesson's file type, and the
# font that the window's layout needs among the dependencies.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: bash packaging/check-package.sh wogenfeld_VERSION_ARCH.deb" >&2
    exit 2
fi
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || exit 1

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAILED: $what"
        failed=$((failed + 1))
    fi
}

# desktop-file-validate exits 0 on warnings and hints; any message counts here.
desktop_entries_clean() {
    local entry messages
    for entry in "$root"/usr/share/applications/*.desktop; do
        [ -f "$entry" ] || return 1
        messages=$(desktop-file-validate "$entry" 2>&1) || { echo "$messages"; return 1; }
        [ -z "$messages" ] || { echo "$messages"; return 1; }
    done
}

programs_provided() {
    local program ok=0
    for program in "$root"/usr/bin/*; do
        if ! grep -q "<binary>$(basename "$program")</binary>" "$root"/usr/share/metainfo/*.metainfo.xml; then
            echo "not in <provides>: $(basename "$program")"
            ok=1
        fi
    done
    return $ok
}

# The lesson's file type: well-formed, and the menu entry opens it.
lesson_type_registered() {
    local types=("$root"/usr/share/mime/packages/*.xml)
    [ -f "${types[0]}" ] || { echo "no file in usr/share/mime/packages"; return 1; }
    if command -v xmllint >/dev/null; then
        xmllint --noout "${types[@]}" || return 1
    else
        python3 -c 'import sys, xml.dom.minidom as m; [m.parse(f) for f in sys.argv[1:]]' \
            "${types[@]}" || return 1
    fi
    grep -q 'type="application/x-wogenfeld-lesson"' "${types[@]}" &&
        grep -q '<glob pattern="\*.wogenfeld"/>' "${types[@]}" &&
        grep -qx 'MimeType=application/x-wogenfeld-lesson;' "$root"/usr/share/applications/*.desktop &&
        grep -q '^Exec=wogenfeld %f$' "$root"/usr/share/applications/*.desktop
}

font_is_a_dependency() {
    dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx fonts-liberation2
}

# --display-info shows the info tags as well; only errors and warnings fail.
check "lintian" lintian --display-info --fail-on error,warning "$deb"
check "AppStream metadata (pedantic)" \
    appstreamcli validate --pedantic --strict --no-net "$root"/usr/share/metainfo/*.metainfo.xml
check "AppStream metadata with its desktop entry and icon" \
    appstreamcli validate-tree --pedantic --strict --no-net "$root"
check "desktop entry" desktop_entries_clean
check "every program in <provides>" programs_provided
check "the lesson's file type" lesson_type_registered
check "fonts-liberation2 in Depends" font_is_a_dependency

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
