#!/bin/sh
# sound_test.sh GAME CUES_HEARD RESOURCES
#
# The built game on a private X server, played with real pointer events, its cues going
# to a private PulseAudio server whose only output is a null sink. The sink's monitor is
# recorded and matched sample by sample against the cue files (CUES_HEARD). One row per
# case: what the server does, what the player does, and the cues that must come out.
# Every case ends with End, which must end the game and save its settings; a game that
# hangs fails through the waits' limits.
set -eu

game=${1:?usage: sound_test.sh GAME CUES_HEARD RESOURCES}
heard=${2:?}
resources=${3:?}

row=setup
. "$(dirname "$0")/servers.sh"

# Each case: the server (pulse, stopped or none), the player's steps and the cues heard.
# Steps: "s" starts a line, "e" ends it, "es" ends one and starts the next 80 ms later
# (one pointer program for both clicks, so the gap holds on a busy machine), a number
# waits that many milliseconds.
while read -r row server steps expected; do
    conf=$work/$row/config
    mkdir -p "$conf"
    server_env=$PULSE_SERVER
    [ "$server" = none ] && server_env=unix:$work/no-server.sock

    parec --latency-msec=10 -d cues.monitor --format=s16le --rate=44100 --channels=1 --raw >"$work/rec.raw" &
    rec_pid=$!
    wait_for 50 test -s "$work/rec.raw" || fail "nothing recorded"
    start_answering_with "$conf" "$server_env"
    [ "$server" = stopped ] && kill -STOP "$pulse_pid"
    for step in $(echo "$steps" | tr , ' '); do
        case $step in
        s) line_start ;;
        e) line_end ;;
        es) xdotool mousemove 667 539 click 1 sleep 0.08 mousemove 359 231 click 1 ;;
        *) sleep "$(echo "$step" | awk '{ print $1 / 1000 }')" ;;
        esac
    done
    xdotool search --onlyvisible --name '^Tessarin$' >/dev/null 2>&1 && fail "a message box appeared"
    press End
    wait_for_exit 100
    [ "$server" = stopped ] && kill -CONT "$pulse_pid"
    grep -q '^Level_of_game=' "$conf/Orv/Tessarin.conf" 2>/dev/null || fail "no settings saved"
    [ "$(wc -l <"$work/game.log")" -le 1 ] || fail "more than one line on the terminal"
    stop_pid "$rec_pid"
    rec_pid=
    [ "$expected" = - ] && continue
    python3 "$heard" "$work/rec.raw" "$resources/puk.wav" "$resources/puk_bum.wav" >"$work/heard.txt"
    got=$(awk '{ sub(/\.wav$/, "", $1); printf "%s%s%s", sep, $1, ($NF == "whole" ? "" : "/cut"); sep = "," }' \
        "$work/heard.txt")
    [ "$got" = "$expected" ] || fail "heard $got, not $expected"
    echo "$row: $got"
done <<CASES
whole   pulse   s,300,e,600,s,300,e,600     puk,puk_bum,puk,puk_bum
cut     pulse   s,300,es,300,e,600          puk,puk_bum/cut,puk,puk_bum
stopped stopped s,300,e,300,s,300,e         -
absent  none    s,300,e,300,s,300,e,300     -
CASES
echo "sound test: every case passed"
