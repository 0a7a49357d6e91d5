#!/bin/sh
# Measures how late the pickup tone reaches the sound output: a PulseAudio server of its own
# with a null sink, a recording of that sink's monitor (monitor_recorder, which lets the sink
# sleep), and tone_probe playing the tone
# through the game's plugin at known moments. Prints each tone's delay from the moment it
# was asked for to the start of its sound in the recording, with the sink's state just
# before (IDLE, RUNNING or SUSPENDED), then the largest.
#
#   tests/bench/measure_tone.sh [BUILD_DIR] [TONES] [INTERVAL_MS]
#
# Two runs of the probe:
#  - awake: the first tone 1.5 s after the output opens (the first pickup of a run at the
#    soonest), TONES - 1 more every INTERVAL_MS, then one after 10 s of silence;
#  - suspended: with the server's idle rule on (module-suspend-on-idle, 1 s), tones 1.5 s,
#    3 s and 10 s apart, each while the sink sleeps.
#
# DROVANE_SOUND_SERVER=pipewire runs PipeWire's PulseAudio server instead (pipewire-pulse
# and wireplumber, in a D-Bus session of their own); its idle rule is wireplumber's (5 s).
#
# Needs pulseaudio, pulseaudio-utils (pactl) and python3. The delays include the
# recording's own latency (a few milliseconds), so they err on the late side.
set -eu

build=${1:-build}
tones=${2:-10}
interval=${3:-1000}
probe=$build/tests/bench/tone_probe
for tool in "$probe" "$build/tests/bench/monitor_recorder"; do
    [ -x "$tool" ] || { echo "measure_tone.sh: $tool is missing; build the tests first" >&2; exit 1; }
done
for tool in pulseaudio pactl python3; do
    command -v "$tool" >/dev/null || { echo "measure_tone.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR="$work" HOME="$work" PULSE_RUNTIME_PATH="$work/pulse"
unset PULSE_SERVER
server=${DROVANE_SOUND_SERVER:-pulseaudio}
cleanup() {
    if [ "$server" = pipewire ]; then
        kill -- "-$session" 2>/dev/null || true  # the session's whole process group
    else
        pulseaudio --kill 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A server of our own, with nothing but the protocol and a silent sink to record.
if [ "$server" = pipewire ]; then
    setsid dbus-run-session -- sh -c 'pipewire & sleep 0.5; wireplumber & pipewire-pulse & wait' \
        >"$work/pipewire.log" 2>&1 &
    session=$!
else
    pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=drovane_rec" \
        --log-target=file:"$work/pulse.log" 2>/dev/null
fi
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
[ "$server" = pipewire ] && pactl load-module module-null-sink sink_name=drovane_rec >/dev/null && sleep 1
pactl set-default-sink drovane_rec

python3 - "$probe" "$build" "$tones" "$interval" <<'PY'
import array, os, subprocess, sys, threading, time

probe, build, tones, interval = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
recorder_tool = os.path.join(build, "tests/bench/monitor_recorder")
rate = 44100
recorder = subprocess.Popen([recorder_tool, "drovane_rec.monitor"], stdout=subprocess.PIPE)
chunks = []  # (steady clock at arrival, samples received so far)
samples = array.array("h")
states = []  # (steady clock, the sink's state)

def record():
    total = 0
    while True:
        data = recorder.stdout.read1(4096)
        if not data:
            return
        now = time.monotonic()
        part = array.array("h", data[: len(data) // 2 * 2])
        samples.extend(part)
        total += len(part)
        chunks.append((now, total))

def sink_state():
    out = subprocess.run(["pactl", "list", "sinks", "short"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if "drovane_rec" in line:
            return line.split()[-1]
    return "?"

watching = True
def watch():
    while watching:
        states.append((time.monotonic(), sink_state()))
        time.sleep(0.05)

def state_before(at):
    before = [s for t, s in states if t <= at - 0.02]
    return before[-1] if before else "?"

reader = threading.Thread(target=record, daemon=True)
reader.start()
watcher = threading.Thread(target=watch, daemon=True)
watcher.start()
time.sleep(1.0)  # the recording runs before the first tone

env = dict(os.environ, QT_PLUGIN_PATH=os.path.abspath(build), QT_QPA_PLATFORM="offscreen")
asked = []  # (run, steady clock)
def run(name, gaps):
    out = subprocess.run([probe] + [str(g) for g in gaps], env=env, capture_output=True, text=True,
                         timeout=600)
    if out.stderr.strip():
        print(out.stderr.strip())
    for line in out.stdout.splitlines():
        if line.startswith("tone "):
            asked.append((name, float(line.split()[1])))
        elif line.startswith("available"):
            print("%s: %s" % (name, line))

run("awake", [1500] + [interval] * (tones - 1) + [10000])
if os.environ.get("DROVANE_SOUND_SERVER") == "pipewire":
    run("suspended", [6000, 7000, 10000])  # wireplumber suspends after 5 s
else:
    subprocess.run(["pactl", "load-module", "module-suspend-on-idle", "timeout=1"], check=True,
                   stdout=subprocess.DEVNULL)
    run("suspended", [1500, 3000, 10000])
time.sleep(0.5)
watching = False
recorder.terminate()
reader.join(2)
if not asked:
    sys.exit("measure_tone.sh: the probe played no tone")

# A tone counts as heard when the recording that holds its first sample reaches us: a null
# sink renders ahead of the clock, so the samples' own positions would claim some tones
# before they were asked for.
import bisect
received_counts = [received for _, received in chunks]
def arrival(n):
    return chunks[bisect.bisect_right(received_counts, n)][0]

# Tones: runs of loud samples, split by quiet stretches of 0.5 ms or more.
threshold, quiet_run = 800, rate // 2000
starts, quiet, inside = [], 0, False
for n, value in enumerate(samples):
    if abs(value) > threshold:
        if not inside:
            starts.append(n)
            inside = True
        quiet = 0
    elif inside:
        quiet += 1
        if quiet >= quiet_run:
            inside = False

heard = [arrival(n) for n in starts]
print("tones asked for: %d, heard: %d" % (len(asked), len(heard)))
delays = []
for i, (name, at) in enumerate(asked):
    state = state_before(at)
    later = [h for h in heard if h >= at]
    if not later:
        print("tone %2d (%s, sink %s): never heard" % (i + 1, name, state))
        continue
    delay = (later[0] - at) * 1000
    heard.remove(later[0])
    delays.append(delay)
    print("tone %2d (%s, sink %s): %7.1f ms" % (i + 1, name, state, delay))
if delays:
    print("largest delay: %.1f ms" % max(delays))
sys.exit(0 if len(delays) == len(asked) else 1)
PY
