#!/usr/bin/env bash
# The real program against the real system. Through a private PulseAudio server the welcome sound reaches
# the server's null sink for about its length; with no sound server and no sound card the program plays
# silently after one warning. On the road through every window it opens no file for writing outside /dev
# and no socket but local ones.
# Usage: tst_e2e_system.sh <wordpot executable> <tst_e2e_road executable>
set -euo pipefail
program=$1 road=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
waitFor() { # <tenths of a second> <command...>
    local tries=$1; shift
    until "$@"; do ((tries-- > 0)) || return 1; sleep 0.1; done
}
export HOME=$work XDG_RUNTIME_DIR=$work DBUS_SESSION_BUS_ADDRESS=disabled:
unset QT_QPA_PLATFORM SDL_AUDIODRIVER PULSE_SERVER

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
waitFor 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")

# 1. The welcome sound through a real sound server.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$work/sound-socket" \
    -L "module-null-sink sink_name=heard rate=44100" >/dev/null 2>&1 &
pids+=($!)
export PULSE_SERVER=unix:$work/sound-socket
waitFor 100 test -S "$work/sound-socket" || fail "PulseAudio did not start"
parec -d heard.monitor --raw --format=s16le --rate=44100 --channels=1 >"$work/heard.raw" &
pids+=($!)
waitFor 100 bash -c '[ -n "$(pactl list short source-outputs)" ]' || fail "parec did not connect"
# The span from the first loud 10 ms block to the last one, in seconds, of a WAV file or of what was heard.
span() {
    python3 -c '
import array, sys, wave
if sys.argv[1].endswith(".wav"):
    w = wave.open(sys.argv[1])
    rate, step, data = w.getframerate(), w.getnchannels(), w.readframes(w.getnframes())
    samples = array.array("h", data) if w.getsampwidth() == 2 else [(b - 128) * 256 for b in data]
else:
    rate, step, samples = 44100, 1, array.array("h", open(sys.argv[1], "rb").read())
block = rate // 100 * step
loud = [i for i in range(0, len(samples), block) if max(map(abs, samples[i:i + block]), default=0) > 1000]
print(round((loud[-1] - loud[0] + block) / step / rate, 2) if loud else 0)' "$1"
}
length=$(span "$(dirname "$program")/welcome.wav")
"$program" 2>"$work/stderr" &
pid=$!
sleep "$(python3 -c "print($length + 2)")"
kill -TERM "$pid"
wait "$pid" || true
heard=$(span "$work/heard.raw")
echo "welcome.wav sounds for ${length} s; the sink heard sound for ${heard} s"
python3 -c "import sys; sys.exit(abs($heard - $length) > 0.2)" ||
    fail "the sink did not hear the welcome sound for its length"
! grep -q "playing silently" "$work/stderr" || fail "fell back to silence: $(cat "$work/stderr")"

# ...and with no server and no sound card, one warning and silence.
PULSE_SERVER=unix:$work/none "$program" 2>"$work/stderr" &
pid=$!
waitFor 100 grep -q "playing silently" "$work/stderr" || fail "no warning: $(cat "$work/stderr")"
sleep 1 # any further warning would come with the next sound, the splash's own
kill -TERM "$pid"
wait "$pid" || true
# Only the program's own lines count: a sound library it tries may write lines of its own (libpipewire
# does when no PipeWire server runs), and which of them are installed is the machine's business.
own=$(grep -E '^(wordpot:|Wordpot )' "$work/stderr" || true)
[ "$(grep -c . <<<"$own")" = 1 ] || fail "not one line of the program's own: $(cat "$work/stderr")"

# 2. Writes nothing, talks to nobody: the road under strace, successful calls only.
WORDPOT_E2E_WRAPPER="strace -f -z -qq -o $work/trace -e trace=open,openat,openat2,creat,truncate,rename,\
renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,link,linkat,symlink,symlinkat,socket,connect,bind" \
    "$road" "everyWindowOnTheWayAndYesEndsTheRun:100 %" >"$work/road" || fail "road: $(cat "$work/road")"
writes=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(|truncate\(|rename|unlink|mkdir|link\(' "$work/trace" |
    grep -v '"/dev/' || true)
sockets=$(grep -E '^[0-9]+ +(socket|connect|bind)\(' "$work/trace" | grep -v 'AF_UNIX' || true)
[ -z "$writes$sockets" ] || fail "files written: ${writes:-none}; sockets not local: ${sockets:-none}"
echo "the road: $(grep -c 'open' "$work/trace") files opened, none for writing; $(grep -c 'connect(' \
    "$work/trace") local connections"
echo PASS
