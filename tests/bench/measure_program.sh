#!/usr/bin/env bash
# Measures the real program under Xvfb: time until the menu is on screen, CPU share
# while a game of "Débutant (V0)" runs, and resident memory.
# Needs: xvfb xauth xdotool (apt-get install xvfb xauth xdotool).
set -euo pipefail
cd "$(dirname "$0")/../.."
binary="${1:-build/drovane}"
seconds="${2:-5}"

export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; kill "${game:-}" 2>/dev/null || true' EXIT
sleep 1

start=$(date +%s%N)
"$binary" &
game=$!
# Poll finely: xdotool's own --sync waits in half-second steps.
until xdotool search --onlyvisible --name '^menu$' >/dev/null 2>&1; do sleep 0.005; done
shown=$(date +%s%N)
echo "menu shown after $(( (shown - start) / 1000000 )) ms"

# Pick "Débutant (V0)" and play.
menu=$(xdotool search --onlyvisible --name '^menu$' | head -n 1)
xdotool mousemove --window "$menu" 140 115 click 1   # Option1
xdotool mousemove --window "$menu" 120 268 click 1   # Command1 "Jouer"
xdotool search --sync --onlyvisible --name '^Drovane V0$' >/dev/null

ticks=$(getconf CLK_TCK)
read -r -a before < "/proc/$game/stat"
sleep "$seconds"
read -r -a after < "/proc/$game/stat"
used=$(( (after[13] + after[14]) - (before[13] + before[14]) ))
echo "CPU while playing: $(awk -v u="$used" -v t="$ticks" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * u / t / s }')% of one core over ${seconds} s"
echo "resident memory: $(awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$game/status")"
