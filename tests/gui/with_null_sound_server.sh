#!/bin/sh
# Runs a test program with a PulseAudio server of its own whose only output is
# a null sink, and stops the server afterwards. When no server can be started
# the test is reported as skipped (exit 77) with the reason, never as passed.
# usage: with_null_sound_server.sh PROGRAM [ARGS...]
dir=$(mktemp -d "${TMPDIR:-/tmp}/spurwerk-sound.XXXXXX") || exit 1
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT INT TERM
if ! command -v pulseaudio >/dev/null 2>&1; then
  echo "SKIPPED: pulseaudio is not installed, so no sound server can be started for the playback test"
  exit 77
fi
export HOME="$dir" PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
  -L "module-null-sink sink_name=spurwerk_null rate=44100" \
  -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" >"$dir/server.log" 2>&1 &
server=$!
export PULSE_SERVER="unix:$dir/native"
i=0
while [ ! -S "$dir/native" ]; do
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 "$server" 2>/dev/null; then
    echo "SKIPPED: the sound server did not start:"
    cat "$dir/server.log"
    exit 77
  fi
  sleep 0.1
done
echo "sound server with a null sink at $PULSE_SERVER"
SPURWERK_EXPECT_AUDIO=1 "$@"
