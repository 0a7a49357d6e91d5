#!/bin/sh
# Measures how late the pickup tone reaches the sound output: a PulseAudio server of its own
# with a null sink, a recording of that sink's monitor, and tone_probe playing the tone
# through the game's plugin at known moments. Prints each tone's delay from the moment it
# was asked for to the start of its sound in the recording, then the largest.
#
#   tests/bench/measure_tone.sh [BUILD_DIR] [TONES] [INTERVAL_MS]
#
# The first tone comes 1.5 s after the output opens, as the first pickup of a run at the
# soonest (tone_probe's third argument changes that).
#
# Needs pulseaudio, pulseaudio-utils (pactl, parec) and python3. The delays include the
# recording's own latency (a few milliseconds), so they err on the late side.
set -eu

build=${1:-build}
tones=${2:-10}
interval=${3:-1000}
probe=$build/tests/bench/tone_probe
[ -x "$probe" ] || { echo "measure_tone.sh: $probe is missing; build the tests first" >&2; exit 1; }
for tool in pulseaudio pactl parec python3; do
    command -v "$tool" >/dev/null || { echo "measure_tone.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR="$work" HOME="$work" PULSE_RUNTIME_PATH="$work/pulse"
unset PULSE_SERVER
cleanup() {
    [ -n "${recorder:-}" ] && kill "$recorder" 2>/dev/null || true
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A server of our own, with nothing but the protocol and a silent sink to record.
pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=drovane_rec" \
    --log-target=file:"$work/pulse.log" 2>/dev/null
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink drovane_rec

python3 - "$probe" "$build" "$tones" "$interval" <<'PY'
import array, os, subprocess, sys, threading, time

probe, build, tones, interval = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
rate = 44100
recorder = subprocess.Popen(
    ["parec", "-d", "drovane_rec.monitor", "--raw", "--format=s16le", "--rate=%d" % rate,
     "--channels=1", "--latency-msec=2"], stdout=subprocess.PIPE)
chunks = []  # (steady clock at arrival, samples received so far)
samples = array.array("h")

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

reader = threading.Thread(target=record, daemon=True)
reader.start()
time.sleep(1.0)  # the recording runs before the first tone

env = dict(os.environ, QT_PLUGIN_PATH=os.path.abspath(build), QT_QPA_PLATFORM="offscreen")
out = subprocess.run([probe, tones, interval], env=env, capture_output=True, text=True, timeout=600)
time.sleep(0.5)
recorder.terminate()
reader.join(2)
asked = [float(line.split()[1]) for line in out.stdout.splitlines() if line.startswith("tone ")]
if out.stderr.strip():
    print(out.stderr.strip())
if not asked:
    sys.exit("measure_tone.sh: the probe played no tone:\n" + out.stdout)

# Sample n was in the recording no later than (arrival - (received - n) / rate); the
# earliest such bound over all chunks maps sample numbers to the steady clock.
origin = min(at - received / rate for at, received in chunks)

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

heard = [origin + n / rate for n in starts]
print("tones asked for: %d, heard: %d" % (len(asked), len(heard)))
delays = []
for i, at in enumerate(asked):
    later = [h for h in heard if h >= at - 0.005]
    if not later:
        print("tone %2d: never heard" % (i + 1))
        continue
    delay = (later[0] - at) * 1000
    heard.remove(later[0])
    delays.append(delay)
    print("tone %2d: %7.1f ms" % (i + 1, delay))
if delays:
    print("largest delay: %.1f ms" % max(delays))
sys.exit(0 if len(delays) == len(asked) else 1)
PY
