#!/bin/bash
# The Debian package: lintian finds no error and no warning in it; then, in a clean
# Debian 12 root: installed with apt (which must find every dependency the package
# declares, recommended packages left out), the installed zeb-replay runs headless, the
# installed `zeb --windowed` started from another directory under Xvfb opens its window
# and ends on Escape with code 0, the installed zeb on an X server without the core font
# SDL's message box asks for still opens its window, saying on stderr what the box would
# have asked and what it answered, and purging the package leaves none of its files.
#
# lintian runs on this machine, not in the root: it reads the package, it does not
# install it.
# The clean root is a `debootstrap --variant=minbase bookworm` made once per machine and
# kept in ZEB_CI_CACHE (default /var/cache/zeb-ci), with the downloaded .debs beside it;
# each run mounts a throw-away overlay on it, so the cached root is never changed.
# Needs root (chroot, mounts) and the network the first time.
# Usage: package_check.sh PACKAGE.deb
set -u
DEB=$(realpath "$1")
HERE=$(dirname "$(realpath "$0")")
CACHE=${ZEB_CI_CACHE:-/var/cache/zeb-ci}
# The archive this machine's apt installs from (its first source that is not the security
# one), unless ZEB_CI_MIRROR names another.
apt_archive() {
    {
        grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null
        grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null
    } | awk '{for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) {print $i; break}}' | grep -v security | head -n 1
}
MIRROR=${ZEB_CI_MIRROR:-$(apt_archive)}
BASE=$CACHE/bookworm-minbase
WORK=$(mktemp -d)
ROOT=$WORK/root
# shellcheck source=tests/xvfb_session.sh
source "$HERE/xvfb_session.sh"

MOUNTS=()
mount_in_root() { # mount_in_root TARGET MOUNT-ARGS...: remembered for the clean-up
    local target=$1
    shift
    mount "$@" "$target" && MOUNTS+=("$target")
}
cleanup() {
    xvfb_stop
    local i
    for ((i = ${#MOUNTS[@]} - 1; i >= 0; i--)); do umount "${MOUNTS[i]}" || umount -l "${MOUNTS[i]}"; done
    # Never delete through a mount that is still there: it would reach the host's files.
    if grep -qF " $WORK" /proc/mounts; then
        echo "left $WORK in place: something is still mounted under it"
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT

[ "$(id -u)" -eq 0 ] || { echo "package_check.sh needs root (chroot and mounts)"; exit 1; }
[ -f "$DEB" ] || { echo "no package $1"; exit 1; }
phase_start=$(date +%s)
phase() { local now; now=$(date +%s); echo "      ($(( now - phase_start )) s) $*"; phase_start=$now; }

FAILURES=0
check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then echo "ok    $name"; else echo "FAIL  $name"; FAILURES=$((FAILURES + 1)); fi
}

# Every tag lintian shows by default (errors and warnings) fails the check; its output
# is printed either way.
lintian_clean() {
    lintian --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1
    local code=$?
    sed 's/^/  /' "$WORK/lintian.log"
    return $code
}
check "lintian finds no error and no warning" lintian_clean
phase "lintian"

# Runs in other worktrees share the cache: one at a time bootstraps or runs apt on it.
mkdir -p "$CACHE"
exec 9>"$CACHE/lock"
flock 9
if [ ! -x "$BASE/usr/bin/apt-get" ]; then
    echo "making the clean root in $BASE (once per machine)"
    rm -rf "$BASE.partial"
    debootstrap --variant=minbase bookworm "$BASE.partial" "$MIRROR" >"$WORK/debootstrap.log" 2>&1 ||
        { echo "debootstrap failed:"; tail -20 "$WORK/debootstrap.log"; exit 1; }
    mv "$BASE.partial" "$BASE"
    phase "clean root made"
fi

mkdir -p "$WORK/upper" "$WORK/overlay-work" "$ROOT" "$CACHE/archives/partial"
mount_in_root "$ROOT" -t overlay overlay \
    -o "lowerdir=$BASE,upperdir=$WORK/upper,workdir=$WORK/overlay-work" || exit 1
mkdir -p "$ROOT/tmp/.X11-unix"
mount_in_root "$ROOT/proc" -t proc proc || exit 1
mount_in_root "$ROOT/dev" --bind /dev || exit 1
mount_in_root "$ROOT/tmp/.X11-unix" --bind /tmp/.X11-unix || exit 1
mount_in_root "$ROOT/var/cache/apt/archives" --bind "$CACHE/archives" || exit 1
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
cp "$DEB" "$ROOT/tmp/zeb.deb"

in_root() {
    chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
check "the clean root has no zeb" in_root sh -c '! command -v zeb && ! test -e /usr/share/zeb'
install_package() {
    in_root apt-get install -y -q --no-install-recommends -o Dpkg::Options::=--force-unsafe-io \
        /tmp/zeb.deb >"$WORK/apt.log" 2>&1
}
# The root's package lists age with Debian's point releases; fetch them anew only then.
if ! install_package; then
    echo "      installing failed with the cached package lists; updating them"
    in_root apt-get update -q >>"$WORK/apt.log" 2>&1
    install_package
fi
installed() { in_root dpkg-query -W -f='${Status}' zeb 2>/dev/null | grep -q "install ok installed"; }
check "apt installs the package and its dependencies" installed || { tail -30 "$WORK/apt.log"; exit 1; }
phase "installed with $(grep -c '^Setting up' "$WORK/apt.log") packages set up"
flock -u 9
exec 9>&-

check "the installed zeb-replay runs headless on the installed data" in_root sh -c \
    'cd /usr/share/zeb && printf "viewport 160 120\nframes 2\nexpect exited == false\n" | zeb-replay - >/dev/null'
xvfb_start || exit 1
check "the installed zeb --windowed, started in /root, opens its window and ends on Escape" \
    run_windowed_and_quit "$WORK/zeb.log" chroot "$ROOT" env -i PATH=/usr/games:/usr/bin:/bin HOME=/root \
    DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy sh -c 'cd /root && exec zeb --windowed'
xvfb_stop
# The package does not bring the core X font SDL's message box asks for
# (-*-*-medium-r-normal--*-120-*): that font is the X server's, and a desktop's server
# has it. One without it (here an Xvfb with only its built-in "fixed") must cost the user
# nothing but the box: the start-up question goes to stderr, answered No, and the window
# opens.
xvfb_start 1280x1024 -fp built-ins || exit 1
check "on an X server without the box's font, the installed zeb opens its window" \
    run_windowed_and_quit "$WORK/zeb-nofont.log" chroot "$ROOT" env -i PATH=/usr/games:/usr/bin:/bin \
    HOME=/root DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy sh -c 'cd /root && exec zeb'
check "  and says on stderr what the box asked and that it answered No" sh -c \
    "grep -qF 'could not show a message box' '$WORK/zeb-nofont.log' &&
     grep -qF 'Start FullScreen?' '$WORK/zeb-nofont.log' && grep -qF 'answered No' '$WORK/zeb-nofont.log'"
xvfb_stop
phase "started and quit"

# Every file and directory of the package, as installed paths.
dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' | grep -v '^$' >"$WORK/paths"
in_root apt-get purge -y -q zeb >>"$WORK/apt.log" 2>&1
check "apt purges the package" sh -c "! chroot '$ROOT' dpkg-query -W zeb >/dev/null 2>&1"
left_behind() {
    local path left=0
    while read -r path; do
        # Shared directories such as /usr/share/icons stay; what is the package's own goes.
        if [ -e "$ROOT$path" ] && { [ ! -d "$ROOT$path" ] || [[ $path == /usr/share/zeb* ]]; }; then
            echo "  left behind: $path"
            left=1
        fi
    done <"$WORK/paths"
    return $left
}
check "no file of the package is left" left_behind
phase "purged"

[ "$FAILURES" -eq 0 ] || { echo "$FAILURES check(s) failed"; exit 1; }
echo "all package checks passed"
