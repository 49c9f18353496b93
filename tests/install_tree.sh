#!/bin/bash
# The install tree: `cmake --install` into a scratch prefix puts every file in place
# (the programs in games/), the desktop entry is valid and names an installed program and
# icon, every manual page is there compressed and formats without warnings, the
# copyright and changelog are in share/doc/zeb, the installed zeb finds its data from another directory (through
# ../share/zeb, and through ZEB_DATA when copied elsewhere) and ends on Escape, the
# installed zeb-replay runs on the installed data, and the uninstall target leaves nothing.
# Usage: install_tree.sh BUILD_DIR
set -u
BUILD=$(realpath "$1")
HERE=$(dirname "$(realpath "$0")")
WORK=$(mktemp -d)
PREFIX=$WORK/prefix
# shellcheck source=tests/xvfb_session.sh
source "$HERE/xvfb_session.sh"
trap 'xvfb_stop; rm -rf "$WORK"' EXIT
FAILURES=0
check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then echo "ok    $name"; else echo "FAIL  $name"; FAILURES=$((FAILURES + 1)); fi
}

cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { echo "cmake --install failed:"; cat "$WORK/install.log"; exit 1; }

check "zeb and zeb-replay in games/" test -x "$PREFIX/games/zeb" -a -x "$PREFIX/games/zeb-replay"
check "share/zeb/text holds the build's data, byte for byte, without its stamps" \
    diff -r -x '.*' "$BUILD/text" "$PREFIX/share/zeb/text"
check "no build stamps installed" test -z "$(find "$PREFIX/share/zeb" -name '.*')"

# Every icon is a PNG of the size its directory names; the sizes menus use are there.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
icons_match_their_folders() {
    local icon folder ok=0
    for icon in "$PREFIX"/share/icons/hicolor/*/apps/zeb.png; do
        folder=$(basename "$(dirname "$(dirname "$icon")")")
        [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || { echo "  $icon is no PNG"; ok=1; }
        [ "$(png_size "$icon")" = "$folder" ] || { echo "  $icon is $(png_size "$icon")"; ok=1; }
    done
    return $ok
}
check "every icon is a PNG of its folder's size" icons_match_their_folders
for side in 16 32 48 256; do
    check "icon at ${side}x${side}" test -s "$PREFIX/share/icons/hicolor/${side}x${side}/apps/zeb.png"
done

DESKTOP=$PREFIX/share/applications/zeb.desktop
check "desktop entry valid" desktop-file-validate "$DESKTOP"
entry() { sed -n "s/^$1=//p" "$DESKTOP"; }
check "desktop entry starts an installed program" test -x "$PREFIX/games/$(entry Exec | awk '{print $1}')"
check "desktop entry's icon is installed" test -s "$PREFIX/share/icons/hicolor/48x48/apps/$(entry Icon).png"

# Every page in dist/ is installed gzip-compressed (without a name or time in its header,
# so the bytes repeat), holds the page unchanged, and formats without warnings.
for source in "$HERE"/../dist/*.6; do
    page=$(basename "$source")
    MAN=$PREFIX/share/man/man6/$page.gz
    check "$page in man6, compressed, unchanged" sh -c "gzip -t '$MAN' && zcat '$MAN' | cmp -s - '$source'"
    check "  its gzip header holds no name and no time" \
        test "$(od -An -tx1 -j3 -N5 "$MAN" 2>/dev/null | tr -d ' ')" = 0000000000
    zcat "$MAN" | groff -man -ww -z -Tutf8 2>"$WORK/groff.log"
    check "  formats without warnings" test ! -s "$WORK/groff.log"
    [ -s "$WORK/groff.log" ] && sed 's/^/  /' "$WORK/groff.log"
done
check "no uncompressed manual page" test -z "$(find "$PREFIX/share/man" -type f ! -name '*.gz')"
check "copyright in share/doc/zeb, machine-readable" \
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$PREFIX/share/doc/zeb/copyright"
check "changelog.gz in share/doc/zeb names this version" sh -c \
    "zcat '$PREFIX/share/doc/zeb/changelog.gz' | head -n 1 | grep -qF 'zeb ($(sed -n 's/^project(zeb VERSION \([0-9.]*\).*/\1/p' "$HERE/../CMakeLists.txt"))'"

check "installed zeb-replay runs on the installed data" sh -c "cd '$PREFIX/share/zeb' && printf '%s\n' \
    'viewport 160 120' 'frames 2' 'expect textures_blank == false' 'expect exited == false' |
    '$PREFIX/games/zeb-replay' - >/dev/null"

xvfb_start || exit 1
mkdir -p "$WORK/elsewhere" "$WORK/loose"
check "installed zeb, started elsewhere, finds ../share/zeb and ends on Escape" \
    run_windowed_and_quit "$WORK/zeb.log" \
    sh -c "cd '$WORK/elsewhere' && exec env -u ZEB_DATA '$PREFIX/games/zeb' --windowed"
cp "$PREFIX/games/zeb" "$WORK/loose/zeb"
check "a copy of zeb without data nearby finds it through ZEB_DATA" \
    run_windowed_and_quit "$WORK/zeb.log" \
    sh -c "cd '$WORK/elsewhere' && exec env ZEB_DATA='$PREFIX/share/zeb' '$WORK/loose/zeb' --windowed"
xvfb_stop

cmake --build "$BUILD" --target uninstall >"$WORK/uninstall.log" 2>&1
check "uninstall target succeeds" test $? -eq 0
check "  and leaves no file behind" test -z "$(find "$PREFIX" -type f)"
check "  nor the data directory" test ! -e "$PREFIX/share/zeb"
check "  nor share/doc/zeb" test ! -e "$PREFIX/share/doc/zeb"

[ "$FAILURES" -eq 0 ] || { echo "$FAILURES check(s) failed"; exit 1; }
echo "all install-tree checks passed"
