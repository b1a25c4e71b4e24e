#!/bin/sh
# bench_sound.sh GAME CUES_HEARD RESOURCES [ROUNDS]
#
# How the cues sound on a private PulseAudio server: the game plays ROUNDS lines (real
# pointer events on a private X server), then a plain client (paplay) plays each cue file
# ROUNDS times on the same server. The recorded sink gives how much of each cue was heard,
# and the onset of each sound after the event that asked for it. Sample 0 of the recording
# has no known time, so the onsets are given against the plain client's: the game's
# median onset minus paplay's.
set -eu

game=${1:?usage: bench_sound.sh GAME CUES_HEARD RESOURCES [ROUNDS]}
heard=${2:?}
resources=${3:?}
rounds=${4:-10}
row=bench
. "$(dirname "$0")/../../tests/sound/servers.sh"

now() { date +%s%N; }
parec --latency-msec=10 -d cues.monitor --format=s16le --rate=44100 --channels=1 --raw >"$work/rec.raw" &
rec_pid=$!
wait_for 50 test -s "$work/rec.raw" || fail "nothing recorded"
start_ns=$(now)
start_answering_with "$work/config" "$PULSE_SERVER"
: >"$work/events"
i=0
while [ $i -lt "$rounds" ]; do
    echo "game puk $(now)" >>"$work/events"
    line_start
    sleep 0.4
    echo "game puk_bum $(now)" >>"$work/events"
    line_end
    sleep 0.6
    i=$((i + 1))
done
press End
i=0
while [ $i -lt "$rounds" ]; do
    for cue in puk puk_bum; do
        echo "paplay $cue $(now)" >>"$work/events"
        paplay "$resources/$cue.wav"
        sleep 0.4
    done
    i=$((i + 1))
done
sleep 0.3
stop_pid "$rec_pid"
rec_pid=
python3 "$heard" "$work/rec.raw" "$resources/puk.wav" "$resources/puk_bum.wav" >"$work/heard.txt"
python3 - "$work/events" "$work/heard.txt" "$start_ns" <<'PY'
import statistics, sys
# Times in ms: events after start_ns, sounds after sample 0 of the recording, which came
# a little before start_ns. A sound belongs to the last request for its cue before it.
events = [(w, c, (int(ns) - int(sys.argv[3])) / 1e6) for w, c, ns in (l.split() for l in open(sys.argv[1]))]
sounds = [(l.split()[0][:-4], float(l.split()[2]), l.split()[5], l.split()[-1] == "whole") for l in open(sys.argv[2])]
onsets = {}
for who, cue, at in events:
    mine = [s for s in sounds if s[0] == cue and -100 < s[1] - at < 300]
    if not mine:
        print(f"{who:6} {cue:7} not heard")
        continue
    name, start, heard, whole = mine[0]
    onsets.setdefault(who, []).append(start - at)
    print(f"{who:6} {cue:7} heard {heard:>5} ms{' (whole)' if whole else ''}")
if len(onsets) == 2:
    game, plain = statistics.median(onsets["game"]), statistics.median(onsets["paplay"])
    print(f"onset, game minus paplay: median {game - plain:+.1f} ms "
          f"(spread game {max(onsets['game']) - min(onsets['game']):.1f} ms, "
          f"paplay {max(onsets['paplay']) - min(onsets['paplay']):.1f} ms)")
PY
