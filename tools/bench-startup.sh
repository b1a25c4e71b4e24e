#!/usr/bin/env bash
# bench-startup.sh BUILD_DIR
#
# How long the game takes from process start to its first painted window, and its peak
# memory, against the bare Qt 6 full-screen window (the floor no Qt Widgets program can
# go below), on a private Xvfb without a window manager. The two programs run by turns,
# one uncounted warm-up each and then BENCH_RUNS (default 7) counted runs each, so that
# the machine's noise hits both alike; prints the medians, their ratio and the memory
# difference against the targets.
#
# The instruments are our own (tools/startup): the probe and the bare window, which
# `make bench` builds into BUILD_DIR/tools/startup. Needs xvfb, libx11-dev, libxdamage-dev.
set -euo pipefail

build=$(cd "${1:?usage: bench-startup.sh BUILD_DIR}" && pwd)
runs=${BENCH_RUNS:-7}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
game=$build/tessarin

die() { echo "bench-startup: $*" >&2; exit 2; }
[[ -x $game ]] || die "no game at $game (build it first)"
probe=$build/tools/startup/startup-probe
floor=$build/tools/startup/bare-window
[[ -x $probe && -x $floor ]] || die "no instruments in $build/tools/startup (make bench builds them)"
command -v Xvfb >/dev/null || die "Xvfb not found (tools/install-deps.sh installs it)"

# ---- a private X server, ended by its pid ----
work=$(mktemp -d "${TMPDIR:-/tmp}/bench-startup.XXXXXX")
xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -br -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 200; i++)); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
[[ -s $work/display ]] || die "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n1 "$work/display")
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY

# ---- the runs ----
field() { # field KEY LINE
    local f
    for f in $2; do [[ $f == "$1="* ]] && { echo "${f#*=}"; return; }; done
    echo NA
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[++n] = $1 } END { print (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }'; }

declare -a floor_ms=() floor_kib=() game_ms=() game_kib=()
measure() { # measure NAME RUN COMMAND... -> appends to NAME_ms and NAME_kib when counted
    local name=$1 run=$2
    shift 2
    local line
    line=$("$probe" -t 60 -H 1 -- "$@" 2>"$work/$name-$run.log") || true
    if [[ $(field result "$line") != ok ]]; then
        echo "bench-startup: $name run $run failed: $line" >&2
        tail -n 5 "$work/$name-$run.log" >&2 || true
        exit 1
    fi
    ((run > 0)) || return 0
    eval "${name}_ms+=(\"$(field paint_ms "$line")\")"
    eval "${name}_kib+=(\"$(field hwm_kib "$line")\")"
}

for ((r = 0; r <= runs; r++)); do # run 0 is the warm-up
    measure floor "$r" "$floor"
    settings=$work/settings-$r # every run of the game starts with no stored settings
    mkdir -p "$settings"
    measure game "$r" env XDG_CONFIG_HOME="$settings" "$game"
done

floor_med=$(median "${floor_ms[@]}")
game_med=$(median "${game_ms[@]}")
floor_mem=$(median "${floor_kib[@]}")
game_mem=$(median "${game_kib[@]}")
awk -v runs="$runs" -v fm="$floor_med" -v gm="$game_med" -v fk="$floor_mem" \
    -v gk="$game_mem" 'BEGIN {
    printf "Start-up to the first painted frame, Xvfb 1024x768, median of %d runs each\n", runs
    printf "  %-22s %8s %14s\n", "", "ms", "peak RSS MiB"
    printf "  %-22s %8.1f %14.1f\n", "bare Qt window", fm, fk / 1024
    printf "  %-22s %8.1f %14.1f\n", "tessarin", gm, gk / 1024
    printf "  start-up ratio  %.2f   (target <= 1.25)\n", gm / fm
    printf "  extra memory    %.1f MB (target <= 15 MB)\n", (gk - fk) * 1024 / 1e6
}'
