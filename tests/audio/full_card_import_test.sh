#!/bin/sh
# Importing onto a card that fills up half-way: a small tmpfs stands for the
# card. The import must fail with the system's reason and leave the project
# file and its AUDIO folder exactly as they were (no partial or temporary
# file). Mounting needs root; where it cannot be done the test says why and
# exits 77, which ctest reports as skipped.
set -u
cli=$1
demo=$2
skip() { echo "SKIPPED: no small file system for this test: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "needs root to mount a tmpfs"
command -v sox >/dev/null 2>&1 || fail "sox is not installed (test.sh installs it)"
"$cli" import --help | grep -q "not available" && skip "this build has no audio conversion"
[ -d "$demo/PROJ001" ] || fail "no demo card at $demo"

work=$(mktemp -d)
mnt=$work/card
cleanup() {
  if mountpoint -q "$mnt" 2>/dev/null; then umount "$mnt" 2>/dev/null || umount -l "$mnt" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$mnt"
out=$(mount -t tmpfs -o size=3m tmpfs "$mnt" 2>&1) || skip "mount -t tmpfs failed: $out"
mountpoint -q "$mnt" || skip "the tmpfs did not mount"
echo "tmpfs of 3 MiB mounted at $mnt"

cp -r "$demo/PROJ001" "$mnt/" || fail "cannot copy the demo project"
# Ten seconds of stereo at 44.1 kHz/16 bits need 1.7 MB; leave less than that.
free_kb=$(df -k --output=avail "$mnt" | tail -1)
fill_kb=$((free_kb - 600))
[ "$fill_kb" -gt 0 ] && dd if=/dev/zero of="$mnt/filler" bs=1k count="$fill_kb" 2>/dev/null
sox -n -r 48000 -b 16 -c 2 "$work/long.wav" synth 10 sine 440 vol 0.5 || fail "sox could not make the source"

before_project=$(md5sum < "$mnt/PROJ001/PRJDATA.ZDT")
before_audio=$(ls -A "$mnt/PROJ001/AUDIO")
if "$cli" --lang en import "$work/long.wav" "$mnt/PROJ001/PRJDATA.ZDT" --track 5 --stereo pair >"$work/out" 2>"$work/err"; then
  fail "the import reported success on a full card: $(cat "$work/out")"
fi
grep -q "No space left on device" "$work/err" || fail "no clear reason: $(cat "$work/err")"
[ "$(md5sum < "$mnt/PROJ001/PRJDATA.ZDT")" = "$before_project" ] || fail "the project file changed"
[ "$(ls -A "$mnt/PROJ001/AUDIO")" = "$before_audio" ] || fail "AUDIO changed: $(ls -A "$mnt/PROJ001/AUDIO")"
echo "full card: $(cat "$work/err")"

# With room again the same import succeeds and is assigned.
rm -f "$mnt/filler"
"$cli" --lang en import "$work/long.wav" "$mnt/PROJ001/PRJDATA.ZDT" --track 5 --stereo pair >"$work/out" 2>"$work/err" ||
  fail "the import failed with room: $(cat "$work/err")"
"$cli" tracks "$mnt/PROJ001/PRJDATA.ZDT" --groups FileAss --summary | grep -q "LONG.WAV" || fail "LONG.WAV not assigned"
echo "PASSED"
