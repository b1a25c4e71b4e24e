#!/bin/sh
# The game as a player's machine gets it. Installs the build into a scratch root, starts
# the installed game through its games/ link from another folder on a virtual X server
# with fresh settings, plays a line, opens the readme and the product page from the About
# box and ends the game; then builds the Debian package, lists it, and runs Debian's
# checkers on the package, the menu entry, the metadata and the manual page.
#
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -eu

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
. "$(dirname "$0")/e2e/common.sh"
root="$work/root"

# The version is set in one place, the project's; the metadata and the package carry it.
version=$(sed -n 's/^project(Tessarin VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[ -n "$version" ] || fail "no project version in $source/CMakeLists.txt"

# --- Installed layout --------------------------------------------------------------
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$work/install.log")"

private="$root/usr/lib/games/tessarin"
for file in tessarin puk.wav puk_bum.wav readme.txt tessarin.html; do
    [ -f "$private/$file" ] || fail "usr/lib/games/tessarin/$file is not installed"
done
[ -x "$private/tessarin" ] || fail "usr/lib/games/tessarin/tessarin is not executable"
[ "$(readlink "$root/usr/games/tessarin")" = "../lib/games/tessarin/tessarin" ] ||
    fail "usr/games/tessarin is not the relative link ../lib/games/tessarin/tessarin"

app_id=org.orv.Tessarin
desktop="$root/usr/share/applications/$app_id.desktop"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
manual="$root/usr/share/man/man6/tessarin.6.gz"
icons="$root/usr/share/icons/hicolor"
[ -f "$icons/scalable/apps/tessarin.svg" ] || fail "no scalable icon"
ls "$icons"/*x*/apps/tessarin.png >/dev/null 2>&1 || fail "no PNG icon"

# --- Menu entry and metadata ---------------------------------------------------------
grep -qx 'Exec=tessarin' "$desktop" || fail "the menu entry does not start tessarin"
grep -qx 'Icon=tessarin' "$desktop" || fail "the menu entry does not name the icon tessarin"
grep -q '^Categories=Game;' "$desktop" || fail "the menu entry is not in the Games menu"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"

# --- The installed game on a virtual X server -----------------------------------------
# Grid point (x, y) of the default level's 3 x 3 grid in the 96-dpi layout: cells of 154
# pixels from the board's corner at (205, 77).
grid_x() { echo $((205 + 154 * $1)); }
grid_y() { echo $((77 + 154 * $1)); }

start_xvfb 1024x768x24 -dpi 96
DISPLAY=$xvfb_display
export DISPLAY

# The desktop's "open" goes to xdg-open; ours only notes what the game asked to open.
mkdir -p "$work/bin" "$work/config" "$work/runtime" "$work/elsewhere"
chmod 700 "$work/runtime"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
EOF
chmod +x "$work/bin/xdg-open"

# Started through the link from another folder, with none of a desktop session's theme,
# scaling or buses: the positions clicked are those of the plain 96-dpi layout.
cd "$work/elsewhere"
start_game env -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP -u QT_QPA_PLATFORMTHEME \
    -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_ENABLE_HIGHDPI_SCALING \
    PATH="$work/bin:$PATH" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb "$root/usr/games/tessarin"
cd "$work"
wait_main_window || fail "the main window did not appear"

# A task, then one line from grid point (1, 1) to (3, 3): each click plays its cue from
# the installed folder, and a cue not found would show an error box titled "Tessarin".
start_answering
xdotool mousemove "$(grid_x 1)" "$(grid_y 1)" click 1 mousemove "$(grid_x 3)" "$(grid_y 3)" click 1
sleep 1
! xdotool search --onlyvisible --name '^Tessarin$' >/dev/null 2>&1 ||
    fail "an error was shown while a line was entered: the sound cues were not found"

# Settings, then About from the settings dialog; Help opens the readme, the blue label
# the product page.
press Settings
wait_for 50 new_window || fail "the settings dialog did not open"
settings=$(new_window)
click_in "$settings" 61 160 # About
wait_for 50 new_window "$settings" || fail "the About box did not open"
about=$(new_window "$settings")
click_in "$about" 309 164 # Help
wait_for 50 test -s "$work/opened" || fail "Help opened nothing"
click_in "$about" 358 49 # the product page's address
wait_for 50 sh -c "[ \$(wc -l <'$work/opened') -ge 2 ]" || fail "the product page was not opened"
click_in "$about" 420 164    # OK
click_in "$settings" 312 160 # Cancel
wait_for 50 sh -c "! xdotool search --onlyvisible --class tessarin | grep -qvx $main" ||
    fail "the settings dialog and the About box did not close"

# Both are opened by their absolute paths in the installed folder; a product page on the
# web instead of the shipped one is a configure-time choice.
readme=$(sed -n 1p "$work/opened")
[ "${readme#file://}" = "$private/readme.txt" ] || fail "Help opened '$readme', not the installed readme"
page=$(sed -n 2p "$work/opened")
case "$page" in
http://* | https://*) ;;
*) [ "${page#file://}" = "$private/tessarin.html" ] || fail "the product page opened is '$page'" ;;
esac

# End: the game saves the settings and exits cleanly.
press End
wait_for_exit 100
grep -q 'Level_of_game' "$work/config/Orv/Tessarin.conf" 2>/dev/null ||
    fail "no settings were written to \$XDG_CONFIG_HOME/Orv/Tessarin.conf"

kill "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""

# --- The Debian package ----------------------------------------------------------------
arch=$(dpkg --print-architecture)
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb="$work/package/tessarin_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/package")"

# The package holds exactly what the install put in place.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's#^\./##; s#/$##' | grep . | sort >"$work/packaged"
(cd "$root" && find usr | sort) >"$work/installed"
cmp -s "$work/installed" "$work/packaged" ||
    fail "the package differs from the install: $(diff "$work/installed" "$work/packaged")"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section is not games"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "the package's dependencies were not found: '$(dpkg-deb -f "$deb" Depends)'"
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland, xdg-utils" ] ||
    fail "the package recommends '$(dpkg-deb -f "$deb" Recommends)', not Qt's Wayland plugin and xdg-utils"

# --- Debian's checkers ---------------------------------------------------------------
# Each checker with the lines of its output that count against the game: errors and
# warnings, and for the manual page anything man says besides the page.
checker() {
    name=$1 pattern=$2
    shift 2
    "$@" >"$work/checker.log" 2>&1 || true
    if grep -E "$pattern" "$work/checker.log" >"$work/complaints"; then
        fail "$name complains: $(cat "$work/complaints")"
    fi
}
checker lintian '^[EW]: ' lintian "$deb"
checker appstreamcli '^[EW]: ' appstreamcli validate --no-net "$metainfo"
checker desktop-file-validate '(error|warning): ' desktop-file-validate "$desktop"
# shellcheck disable=SC2016 # $1 is for the inner shell
checker man '.' sh -c 'man --warnings -l "$1" >/dev/null' man "$manual"

echo "PASS: $(basename "$deb"), $(wc -c <"$deb") bytes"
