#!/bin/sh
# Installs the Debian packages that building, running and testing Tessarin need,
# and only those that are missing. `apt-get update` runs only when something is.
set -eu

PACKAGES="
cmake
ninja-build
g++
make
clang-format
qt6-base-dev
qt6-multimedia-dev
libgl-dev
fonts-dejavu-core
xvfb
xauth
libx11-dev
libxcb1-dev
libxtst-dev
libxdamage-dev
desktop-file-utils
appstream
dpkg-dev
file
lintian
man-db
groff-base
xdotool
openbox
x11-utils
imagemagick
pulseaudio
pulseaudio-utils
python3
qt6-wayland
weston
mutter
xwayland
xserver-xephyr
x11-xserver-utils
"

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    echo "This system has no apt. Install these packages (or your system's equivalents) and run again:" >&2
    echo $PACKAGES >&2
    exit 1
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "Need root or sudo to install:$missing" >&2
    exit 1
fi
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
