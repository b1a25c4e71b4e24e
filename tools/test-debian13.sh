#!/bin/sh
# The whole test suite again on Debian 13 (trixie): a minimal Debian 13 system made with
# debootstrap from this machine's own package mirror, the working tree copied into it,
# and there, as a newcomer would, make installed, then `make test`, which installs the
# rest through tools/install-deps.sh. Needs root (or sudo) on a Debian or Ubuntu host.
#
# The system is kept in $TESSARIN_DEBIAN13_ROOT (default /var/tmp/tessarin-debian13) and
# reused by the next run; its build folder is not: every run builds afresh.
set -eu
cd "$(dirname "$0")/.."

root=${TESSARIN_DEBIAN13_ROOT:-/var/tmp/tessarin-debian13}
suite=trixie

if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "$0: needs root or sudo" >&2; exit 1; }
    exec sudo TESSARIN_DEBIAN13_ROOT="$root" sh "$0" "$@"
fi

# The mirror this machine installs its own packages from.
mirror=$( (cat /etc/apt/sources.list.d/*.sources 2>/dev/null; cat /etc/apt/sources.list 2>/dev/null) |
    sed -n -e 's/^URIs: *\([^ ]*\).*/\1/p' -e 's/^deb  *\(\[[^]]*\] *\)\{0,1\}\(http[^ ]*debian\/\{0,1\}\) .*/\2/p' |
    grep '/debian/\{0,1\}$' | head -n 1)
mirror=${mirror:-http://deb.debian.org/debian}

if ! command -v debootstrap >/dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

if [ ! -e "$root/.made" ]; then
    echo "Making a Debian 13 system in $root from $mirror"
    rm -rf "$root"
    debootstrap --variant=minbase "$suite" "$root" "$mirror" >"${TMPDIR:-/tmp}/debootstrap.log" 2>&1 || {
        tail -n 30 "${TMPDIR:-/tmp}/debootstrap.log" >&2
        exit 1
    }
    touch "$root/.made"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# The kernel's file systems, a fresh /tmp and /dev/shm, each taken away again on the way out.
mounted=""
unmount() {
    for m in $mounted; do umount -l "$m" 2>/dev/null || true; done
}
trap unmount EXIT
trap 'exit 130' INT TERM
mount_in() { # type (or --bind) and source, then the place under the root
    mkdir -p "$root$3"
    if [ "$1" = --bind ]; then mount --bind "$2" "$root$3"; else mount -t "$1" "$2" "$root$3"; fi
    mounted="$root$3 $mounted"
}
mount_in proc proc /proc
mount_in sysfs sysfs /sys
mount_in --bind /dev /dev
mount_in devpts devpts /dev/pts
mount_in tmpfs tmpfs /dev/shm
mount_in tmpfs tmpfs /tmp

# The tree as it stands, committed or not, but without what git ignores (build folders).
rm -rf "$root/src"
mkdir -p "$root/src"
git ls-files -z --cached --others --exclude-standard |
    xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
    tar --null -T - -cf - | tar -xf - -C "$root/src"

start=$(date +%s)
status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 CI="${CI:-}" /bin/sh -c '
    set -e
    cd /src
    . /etc/os-release
    echo "Debian $VERSION_ID ($VERSION_CODENAME)"
    command -v make >/dev/null || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq make >/dev/null; }
    make test
' || status=$?
echo "Debian 13: make test ended with status $status after $(($(date +%s) - start)) s"
exit $status
