#!/bin/sh
# dialogs.sh GAME [WM]
#
# Walks through the settings dialog and the About box on a private X server, under the
# window manager WM ("openbox") or none, with real pointer and key events, and reads back
# what the window system makes of them: stacking, allowed actions, size hints, names and
# the outer frame's position. No program to open files is installed for the game (no
# xdg-open on its PATH), so Help must tell so in a message box. Buttons are found from the
# dialogs' designs, scaled to the windows' real widths.
set -eu

game=${1:?usage: dialogs.sh GAME [WM]}
WM=${2:-none}
. "$(dirname "$0")/xsession.sh"

W=1024 H=768
main= settings= about= message=

# The game's top-level window called $1; the About box is the one left besides the main
# window and the settings dialog.
find_window() {
    case $1 in
    main) main_window ;;
    settings) xdotool search --onlyvisible --name '^S e t t i n g s$' 2>/dev/null | head -n1 ;;
    about) new_window "$(find_window settings)" "$(find_window message)" || true ;;
    message) xdotool search --onlyvisible --name '^Tessarin$' 2>/dev/null | head -n1 ;;
    esac
}
viewable() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
shown() { [ -n "$(find_window "$1")" ]; }
geometry() { [ -n "$1" ] && xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }

# Clicks a point given in design pixels of a window $design_width wide.
click_design() { # window design_width x y
    w=$(geometry "$1" Width)
    xdotool mousemove --window "$1" $(($3 * w / $2)) $(($4 * w / $2)) click 1
    sleep 0.3
}

# The windows bottom to top: as the window manager lists them, or the X server without one.
stacking() {
    if [ "$WM" = none ]; then
        xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | tac
    else
        xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//; s/,/\n/g' | tr -d ' '
    fi
}
is_above() { # upper lower
    list=$(stacking)
    u=$(echo "$list" | grep -nx "$(printf 0x%x "$1")" | cut -d: -f1)
    l=$(echo "$list" | grep -nx "$(printf 0x%x "$2")" | cut -d: -f1)
    [ -n "$u" ] && [ -n "$l" ] && [ "$u" -gt "$l" ]
}

# The outer frame, from _NET_FRAME_EXTENTS (left right top bottom) around the client,
# centred on the screen within a pixel.
centred() {
    set -- "$1" $(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ,)
    l=${2:-0} r=${3:-0} t=${4:-0} b=${5:-0}
    x=$(($(geometry "$1" 'Absolute upper-left X') - l)) y=$(($(geometry "$1" 'Absolute upper-left Y') - t))
    ow=$(($(geometry "$1" Width) + l + r)) oh=$(($(geometry "$1" Height) + t + b))
    dx=$((2 * x + ow - W)) dy=$((2 * y + oh - H))
    [ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ]
}

# Caption bar and close box only: no maximise offered, none asked for (motif functions
# lack minimise 8 and maximise 16), min size = max size, and the main window as owner.
fixed_dialog() {
    ! xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE &&
        functions=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= *[^,]*, *\([^,]*\),.*/\1/p') &&
        [ $((functions & 24)) -eq 0 ] &&
        min=$(xprop -id "$1" WM_NORMAL_HINTS | sed -n 's/.*minimum size: //p') && [ -n "$min" ] &&
        [ "$min" = "$(xprop -id "$1" WM_NORMAL_HINTS | sed -n 's/.*maximum size: //p')" ] &&
        xprop -id "$1" WM_TRANSIENT_FOR | grep -q "$(printf 0x%x "$main")\$"
}

# The caption shows nothing: an empty name or zero-width spaces only.
blank_name() {
    [ "$(xprop -id "$1" -notype _NET_WM_NAME | sed 's/\xe2\x80\x8b//g')" = '_NET_WM_NAME = ""' ]
}

failed=0
blanks=$IFS
check() { # what condition
    (eval "$2") && { echo "ok   $1"; return; }
    echo "FAIL $1 ($2)"
    # The screen as the first failure found it, beside the test's logs.
    [ $failed -eq 1 ] || import -window root "$(pwd)/e2e-dialogs-$WM.png" 2>/dev/null || true
    failed=1
}

start_game env PATH="$work/no-opener" "$game"
wait_main_window 300 || fail "no main window"
sleep 1

# Each row: what the player does; then what the window system must report.
while IFS='|' read -r action expectations; do
    action=$(echo $action)
    case $action in
    '' | '#'*) continue ;;
    settings) xdotool mousemove 60 $((H / 2 + 162)) click 1 ;;
    about) click_design "$settings" 519 61 160 ;;
    minimise) xdotool windowminimize "$settings"; sleep 1 ;;
    aside) xdotool windowmove "$about" 20 40 ;;
    cancel) click_design "$settings" 519 312 160 ;;
    into-main) xdotool mousemove 700 600 click 1 ;;
    into-about) click_design "$about" 487 240 12 ;;
    escape) click_design "$about" 487 240 12; xdotool key Escape ;;
    about-ok) click_design "$about" 487 420 164 ;;
    help) click_design "$about" 487 309 164 ;;
    message-ok) xdotool windowfocus --sync "$message" key Return ;;
    end) xdotool mousemove $((W - 90)) $((H - 68)) click 1 ;;
    *) fail "unknown action $action" ;;
    esac || check "$action can be done" false
    sleep 0.7
    settings=$(find_window settings) about=$(find_window about) message=$(find_window message)
    set -f
    IFS=';'
    for expect in $expectations; do
        IFS=$blanks
        [ -z "$(echo $expect)" ] || check "$action:$expect" "$expect"
    done
    IFS=$blanks
    set +f
done <<'EOF_WALK'
settings   | shown settings; centred $settings; fixed_dialog $settings; is_above $settings $main
about      | shown about; centred $about; fixed_dialog $about; blank_name $about; is_above $about $settings
minimise   | viewable $settings; viewable $main; viewable $about; is_above $about $main
aside      | shown about
cancel     | ! shown settings; viewable $about; is_above $about $main
into-main  | is_above $about $main
into-about | is_above $about $main
into-main  | is_above $about $main
escape     | viewable $about
about-ok   | ! shown about
settings   | shown settings; centred $settings
about      | shown about; centred $about; blank_name $about; is_above $about $settings
help       | shown message; is_above $message $about
message-ok | ! shown message; shown about
about-ok   | ! shown about; shown settings
cancel     | ! shown settings
end        |
EOF_WALK
[ $failed -eq 0 ] || fail "some checks failed (screen saved in $(pwd)/e2e-dialogs-$WM.png)"
wait_for_exit 300
echo "e2e: dialogs right under window manager '$WM'"
