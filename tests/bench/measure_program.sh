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
# All of it twice: without a sound server, then with a PulseAudio server of its own (a null
# sink, and the idle rule that suspends it after 1 s, as desktops have it). With the server,
# each figure adds the server's CPU to the program's; the floor never connects, so its
# figure is the floor plus the server's idle cost. With the server it also measures the
# game where no tone can come (on the menu, paused, on the board after a save) and prints
# the sink's state at the end of each window (RUNNING, IDLE, SUSPENDED).
#
#   tests/bench/measure_program.sh [BUILD_DIR] [SECONDS] [WINDOWS]
# BUILD_DIR defaults to build, SECONDS (one measuring window) to 8, WINDOWS (per
# program and mode) to 3; MEASURE_DISPLAY=N runs Xvfb on display :N instead of a free
# number of its own. Needs: xvfb xauth xdotool pulseaudio pulseaudio-utils.
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
for tool in pulseaudio pactl; do
    command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install pulseaudio pulseaudio-utils" >&2; exit 1; }
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
# Only the server started here, never one of the desktop's, and none spawned by a client.
unset PULSE_SERVER
export PULSE_CLIENTCONFIG="$work/client.conf"
echo "autospawn = no" >"$PULSE_CLIENTCONFIG"
server=""
start_server() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=file:"$work/pulse.log" \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=drovane_bench" \
        --load="module-suspend-on-idle timeout=1" &
    server=$!
    running+=("$server")
    for ((i = 0; i < 100; ++i)); do pactl info >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "the PulseAudio server did not start: $(tail -n 3 "$work/pulse.log")" >&2
    exit 1
}
sink_state() { pactl list sinks short 2>/dev/null | awk '/drovane_bench/ { print $NF }'; }

now() { date +%s%N; }
# Nanoseconds on a processor so far, over every thread of the processes given.
cpu_ns() {
    local total=0 run _ pid
    for pid in "$@"; do
        for stat in /proc/"$pid"/task/*/schedstat; do
            read -r run _ < "$stat" 2>/dev/null && total=$((total + run))
        done
    done
    echo "$total"
}
# CPU share (% of one core) of process $1, of the server, and of both, over one window.
share_now() {
    local before after server_before server_after start end
    before=$(cpu_ns "$1")
    server_before=$(cpu_ns $server)
    start=$(now)
    sleep "$seconds"
    after=$(cpu_ns "$1")
    server_after=$(cpu_ns $server)
    end=$(now)
    awk -v g=$((after - before)) -v s=$((server_after - server_before)) -v w=$((end - start)) \
        'BEGIN { printf "%.3f %.3f %.3f\n", 100 * (g + s) / w, 100 * g / w, 100 * s / w }'
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
    before=$(cpu_ns "$pid" $server)
    local server_before=$(cpu_ns $server)
    start=$(now)
    sleep "$seconds"
    after=$(cpu_ns "$pid" $server)
    local server_after=$(cpu_ns $server)
    end=$(now)
    # A lost run shows its "Perdu !" box, titled "Drovane", and stops ticking.
    local lost=""
    xdotool search --onlyvisible --name '^Drovane$' >/dev/null 2>&1 && lost=1
    stop "$pilotpid"
    [[ -n "$lost" ]] && return 0
    awk -v c=$((server_after - server_before)) -v w=$((end - start)) 'BEGIN { printf "%.3f\n", 100 * c / w }' \
        >>"$work/server_share"
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

# The game with a run going in mode $1 (menu row $2, screen title $3), paused after 1 s;
# then, with $4 = board, saved with Ctrl+S and its board on screen. CPU of the game and
# the server once the sink had time to sleep, and the sink's state.
game_still() {
    local pid menu window share
    "$game" >/dev/null 2>&1 &
    pid=$!
    menu=$(wait_window '^menu$') || exit 1
    xdotool mousemove --window "$menu" 140 "$2" click 1 mousemove --window "$menu" 120 268 click 1
    window=$(wait_window "^$3\$") || exit 1
    sleep 1
    xdotool windowfocus --sync "$window" key p
    if [[ "${4:-}" == board ]]; then
        xdotool key ctrl+s
        for answer in "type bench" "key Return" "key Return"; do
            wait_window '^Drovane$' >/dev/null || exit 1
            sleep 0.3
            xdotool $answer
            [[ "$answer" == "type bench" ]] && xdotool key Return
        done
        wait_window "^Scores $3\$" >/dev/null || exit 1
    fi
    sleep 3
    share=$(share_now "$pid")
    echo "$share $(sink_state)"
    stop "$pid"
}
# The game on its menu before any game.
menu_still() {
    local pid share
    "$game" >/dev/null 2>&1 &
    pid=$!
    wait_window '^menu$' >/dev/null || exit 1
    sleep 3
    share=$(share_now "$pid")
    echo "$share $(sink_state)"
    stop "$pid"
}

# Playing both modes, game against floor; prints the two ratios.
play_modes() {
    local mode row title caption floor_share game_share ratios=()
    while IFS='|' read -r mode row title caption; do
        : >"$work/floor"
        : >"$work/game"
        : >"$work/server_share"
        for ((i = 1; i <= windows; ++i)); do
            floor_play "$mode" >>"$work/floor"
            game_play "$mode" "$row" "$title" >>"$work/game"
        done
        floor_share=$(median <"$work/floor")
        game_share=$(median <"$work/game")
        echo "$caption, % of one core over ${seconds} s windows ($1):" >&2
        echo "                     floor $(tr '\n' ' ' <"$work/floor")-> median $floor_share" >&2
        echo "                     game  $(tr '\n' ' ' <"$work/game")-> median $game_share" >&2
        ratios+=("$(ratio "$game_share" "$floor_share")")
        echo "$caption ratio ($1): ${ratios[-1]} (goal: at most $2); $(cat "$work/memory")" >&2
        [[ -n "$server" ]] && echo "                     the server's share in those (floor and game alternately): $(tr '\n' ' ' <"$work/server_share")" >&2
    done <<'MODES'
1|115|Drovane V0|Débutant (V0)
5|205|Drovane V4|Inhumain (V4)
MODES
    echo "${ratios[*]}"
}

read -r quiet_v0 quiet_v4 < <(play_modes "no sound server" 1.25)
start_server
read -r served_v0 served_v4 < <(play_modes "game + server / floor + idle server" 1.30)
for state in menu paused board; do
    : >"$work/still"
    for ((i = 1; i <= windows; ++i)); do
        case $state in
        menu) menu_still >>"$work/still" ;;
        paused) game_still 5 205 "Drovane V4" >>"$work/still" ;;
        board) game_still 5 205 "Drovane V4" board >>"$work/still" ;;
        esac
    done
    echo "$state, % of one core, game + server (game, server, sink state):"
    echo "                     $(awk '{ printf "%s (%s, %s, %s) ", $1, $2, $3, $4 }' "$work/still")"
    echo "                     -> median $(cut -d' ' -f1 "$work/still" | median) (goal: under 0.1)"
done
echo "server alone, idle, % of one core: $(share_now $$ | cut -d' ' -f3) ($(sink_state))"
echo "ratios: start-up $start_ratio, V0 $quiet_v0, V4 $quiet_v4; with a server: V0 $served_v0, V4 $served_v4"
echo "load: $(cat /proc/loadavg)"
