#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the real program against its floor, side by side under one Xvfb:
#  - start-up: from launch until the menu is on screen, against a bare window
#    (build/tests/bench/floor_window start);
#  - CPU while playing "Débutant (V0)" and "Inhumain (V4)", from the menu through
#    "Jouer", against a bare 404 x 265 window that fills itself with two rectangles
#    every 25 ms (build/tests/bench/floor_window play).
# Floor and game run alternately, one at a time; each figure is the median of its
# windows, and the ratios are game / floor. CPU is the scheduler's run time of every
# thread (the first field of /proc/PID/task/*/schedstat), so short timed wake-ups count
# in full. While a game is measured, build/tests/bench/pilot steers its ship by what
# the window shows (it runs during the floor's windows too, so both share its load);
# a window in which the run was lost is measured again.
#
#   tests/bench/measure_program.sh [BUILD_DIR] [SECONDS] [WINDOWS]
# BUILD_DIR defaults to build, SECONDS (one measuring window) to 8, WINDOWS (per
# program and mode) to 3; MEASURE_DISPLAY=N runs Xvfb on display :N instead of a free
# number of its own. Needs: xvfb xauth xdotool (apt-get install xvfb xauth xdotool).
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
seconds="${2:-8}"
windows="${3:-3}"
starts=15     # start-up is short and noisy: more tries, still cheap
settle=1      # seconds between a window's first frame and its measuring window
game="$build/drovane"
floor="$build/tests/bench/floor_window"
pilot="$build/tests/bench/pilot"
for program in "$game" "$floor" "$pilot"; do
    [[ -x "$program" ]] || { echo "missing $program: build the project and its tests first" >&2; exit 1; }
done

work=$(mktemp -d)
running=()
cleanup() {
    for pid in "${running[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
# A display of its own, numbered out of the way of others on this machine, or the one
# MEASURE_DISPLAY names (a number: 71 for :71).
for ((tries = 0; ; ++tries)); do
    number=${MEASURE_DISPLAY:-$((200 + RANDOM % 700))}
    if [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]]; then
        [[ -z "${MEASURE_DISPLAY:-}" ]] && continue
        echo "display :$number is taken" >&2
        exit 1
    fi
    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    running+=("$xvfb")
    # Ready when it answers, not when its socket appears.
    for ((i = 0; i < 200; ++i)); do
        DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1 && break 2
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.05
    done
    kill "$xvfb" 2>/dev/null || true
    ((tries < 5)) || { echo "could not start Xvfb" >&2; exit 1; }
done
export DISPLAY=":$number"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"  # the game's score files stay in here
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"

now() { date +%s%N; }
# Nanoseconds on a processor so far, over every thread of a process.
cpu_ns() {
    local total=0 run _
    for stat in /proc/"$1"/task/*/schedstat; do
        read -r run _ < "$stat" 2>/dev/null && total=$((total + run))
    done
    echo "$total"
}
# Polls finely: xdotool's own --sync waits in half-second steps. Gives up after 30 s.
wait_window() {
    local id deadline=$(($(date +%s) + 30))
    until id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [[ -n "$id" ]]; do
        if (($(date +%s) > deadline)); then
            echo "no window titled $1 appeared within 30 s" >&2
            kill -0 "$xvfb" 2>/dev/null || echo "Xvfb $DISPLAY has stopped: $(tail -n 3 "$work/xvfb.log")" >&2
            exit 1
        fi
        sleep 0.005
    done
    echo "$id"
}
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Milliseconds from launch until the window titled $2 is on screen.
start_ms() {
    local start pid shown
    start=$(now)
    "$1" ${3:+"$3"} >/dev/null 2>&1 &
    pid=$!
    wait_window "$2" >/dev/null
    shown=$(now)
    stop "$pid"
    awk -v n=$((shown - start)) 'BEGIN { printf "%.1f", n / 1e6 }'
}

# CPU share (% of one core) of process $1, whose window $2 shows mode $3, over one
# measuring window, with the pilot at the stick; prints nothing if the run was lost.
measure_window() {
    local pid=$1 window=$2 mode=$3 pilotpid before after start end
    "$pilot" "$window" "$mode" $((settle + seconds + 2)) >"$work/pilot" 2>/dev/null &
    pilotpid=$!
    sleep "$settle"
    before=$(cpu_ns "$pid")
    start=$(now)
    sleep "$seconds"
    after=$(cpu_ns "$pid")
    end=$(now)
    # A lost run shows its "Perdu !" box, titled "Drovane", and stops ticking.
    local lost=""
    xdotool search --onlyvisible --name '^Drovane$' >/dev/null 2>&1 && lost=1
    stop "$pilotpid"
    [[ -n "$lost" ]] && return 0
    awk -v c=$((after - before)) -v w=$((end - start)) 'BEGIN { printf "%.3f\n", 100 * c / w }'
}

floor_play() {
    local pid window
    "$floor" play >/dev/null 2>&1 &
    pid=$!
    window=$(wait_window '^floor$') || exit 1
    measure_window "$pid" "$window" "$1"
    stop "$pid"
}

# Mode index $1, whose menu option stands at menu pixel row $2 and whose screen is titled $3.
game_play() {
    local pid menu window share="" try
    for try in 1 2 3; do
        "$game" >/dev/null 2>&1 &
        pid=$!
        menu=$(wait_window '^menu$') || exit 1
        xdotool mousemove --window "$menu" 140 "$2" click 1   # the mode's option
        xdotool mousemove --window "$menu" 120 268 click 1    # Command1 "Jouer"
        window=$(wait_window "^$3\$") || exit 1
        share=$(measure_window "$pid" "$window" "$1")
        [[ -n "$share" ]] && echo "resident memory: $(awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status")" >"$work/memory"
        stop "$pid"
        if [[ -n "$share" ]]; then
            echo "$share"
            return 0
        fi
        echo "  (the run was lost within the window: measured again)" >&2
    done
    echo "the game was lost in $try windows running: give up" >&2
    exit 1
}

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo); display $DISPLAY"

: >"$work/floor_start"
: >"$work/game_start"
for ((i = 1; i <= starts; ++i)); do
    start_ms "$floor" '^floor$' start >>"$work/floor_start"
    echo >>"$work/floor_start"
    start_ms "$game" '^menu$' >>"$work/game_start"
    echo >>"$work/game_start"
done
floor_start=$(median <"$work/floor_start")
game_start=$(median <"$work/game_start")
echo "start-up, ms:        floor $(tr '\n' ' ' <"$work/floor_start")-> median $floor_start"
echo "                     game  $(tr '\n' ' ' <"$work/game_start")-> median $game_start"
start_ratio=$(ratio "$game_start" "$floor_start")
echo "start-up ratio: $start_ratio (goal: at most 1.30)"

play_ratios=()
while IFS='|' read -r mode row title caption; do
    : >"$work/floor"
    : >"$work/game"
    for ((i = 1; i <= windows; ++i)); do
        floor_play "$mode" >>"$work/floor"
        game_play "$mode" "$row" "$title" >>"$work/game"
    done
    floor_share=$(median <"$work/floor")
    game_share=$(median <"$work/game")
    echo "$caption, % of one core over ${seconds} s windows:"
    echo "                     floor $(tr '\n' ' ' <"$work/floor")-> median $floor_share"
    echo "                     game  $(tr '\n' ' ' <"$work/game")-> median $game_share"
    play_ratios+=("$(ratio "$game_share" "$floor_share")")
    echo "$caption ratio: ${play_ratios[-1]} (goal: at most 1.25); $(cat "$work/memory")"
done <<'MODES'
1|115|Drovane V0|Débutant (V0)
5|205|Drovane V4|Inhumain (V4)
MODES
echo "ratios: start-up $start_ratio, V0 ${play_ratios[0]}, V4 ${play_ratios[1]}"
