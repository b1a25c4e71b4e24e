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

# Whether window $1 was centred within a pixel when it was last mapped, and has not moved
# since: what the window system reported about its outer window (the manager's frame, or
# the window itself without one) among the root's children. A frame appears with its first
# real size (kwin maps its frames at 1x1 and sizes them a moment later).
appeared_centred() {
    outer=$(printf 0x%x "$1")
    while parent=$(xwininfo -id "$outer" -tree | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p') &&
        [ -n "$parent" ] && [ "$parent" != "$root" ]; do
        outer=$parent
    done
    awk -v w="$outer" -v W="$W" -v H="$H" 'BEGIN { RS = "" }
        function appear() { seen = 1; dx = 2 * x + ow - W; dy = 2 * y + oh - H }
        { gsub(/\n/, " ") }
        $0 ~ "window " w ", \\(" {
            match($0, /\(-?[0-9]+,-?[0-9]+\), width [0-9]+, height [0-9]+/)
            split(substr($0, RSTART, RLENGTH), g, /[^-0-9]+/)
            if (g[4] > 1 && g[5] > 1) {
                if (seen && (g[2] != x || g[3] != y)) moved = 1
                x = g[2]; y = g[3]; ow = g[4]; oh = g[5]
                if (mapped && !seen) appear()
            }
        }
        /^MapNotify/ && $0 ~ "window " w "," { mapped = 1; seen = 0; moved = 0; if (ow > 1) appear() }
        END { exit !(seen && !moved && dx * dx <= 4 && dy * dy <= 4) }' "$work/xev.log"
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

# The window has the keyboard focus.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

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

# What the window system reports about the root's children: windows created, configured, mapped.
root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
xev -root -event substructure >"$work/xev.log" 2>&1 &
watch_pid=$!

start_game env PATH="$work/no-opener" "$game"
wait_main_window 300 || fail "no main window"
sleep 1

# Each row: what the player does (N times when written "Nx action"); then what the window
# system must report.
while IFS='|' read -r action expectations; do
    action=$(echo $action)
    times=1
    case $action in [0-9]x\ *) times=${action%%x *} action=${action#*x } ;; esac
    while [ "$times" -gt 0 ] && times=$((times - 1)); do
    case $action in
    '' | '#'*) continue 2 ;;
    settings) xdotool mousemove 60 $((H / 2 + 162)) click 1 ;;
    about) click_design "$settings" 519 61 160 ;;
    minimise) xdotool windowminimize "$settings"; sleep 1 ;;
    aside) xdotool windowmove "$about" 20 40 ;;
    cancel) click_design "$settings" 519 312 160 ;;
    reopen) click_design "$settings" 519 312 160 && sleep 0.5 && xdotool mousemove 60 $((H / 2 + 162)) click 1 ;;
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
    done
done <<'EOF_WALK'
settings   | shown settings; appeared_centred $settings; centred $settings; fixed_dialog $settings; is_above $settings $main
about      | shown about; appeared_centred $about; centred $about; fixed_dialog $about; blank_name $about; is_above $about $settings
minimise   | viewable $settings; viewable $main; viewable $about; is_above $about $main
aside      | shown about
cancel     | ! shown settings; viewable $about; is_above $about $main
into-main  | is_above $about $main
into-about | is_above $about $main
into-main  | is_above $about $main
escape     | viewable $about
about-ok   | ! shown about; focused $main
settings   | shown settings; centred $settings
about      | shown about; centred $about; blank_name $about; is_above $about $settings
help       | shown message; is_above $message $about
message-ok | ! shown message; shown about
about-ok   | ! shown about; shown settings; focused $settings
5x reopen  | shown settings; appeared_centred $settings
cancel     | ! shown settings
end        |
EOF_WALK
[ $failed -eq 0 ] || fail "some checks failed (screen saved in $(pwd)/e2e-dialogs-$WM.png)"
wait_for_exit 300
echo "e2e: dialogs right under window manager '$WM'"
