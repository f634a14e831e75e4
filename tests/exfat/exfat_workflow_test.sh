#!/bin/sh
# The command line's whole workflow on a real exFAT file system, as memory
# cards have it: no owners, modes or symlinks, names compared without case,
# renames as that file system does them. The image is made with mkfs.exfat,
# attached to a loop device and mounted through exfat-fuse; that needs root
# and /dev/fuse. Where it cannot be done the test says why and exits 77, which
# ctest reports as skipped.
set -u
cli=$1
demo=$2
skip() { echo "SKIPPED: no exFAT file system for this test: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "needs root for the loop device and the mount"
for tool in mkfs.exfat mount.exfat-fuse losetup; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] || [ -x "/sbin/$tool" ] ||
    skip "$tool not installed (packages exfatprogs, exfat-fuse, mount)"
done
export PATH="$PATH:/usr/sbin:/sbin"
[ -c /dev/fuse ] || skip "/dev/fuse is missing"
[ -d "$demo/PROJ001" ] || fail "no demo card at $demo"

work=$(mktemp -d)
mnt=$work/card
dev=""
cleanup() {
  if mountpoint -q "$mnt" 2>/dev/null; then umount "$mnt" 2>/dev/null || umount -l "$mnt" 2>/dev/null; fi
  [ -n "$dev" ] && losetup -d "$dev" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$mnt"
truncate -s 96M "$work/card.img" || fail "cannot make the image file"
mkfs.exfat -L ZOOM "$work/card.img" >/dev/null 2>&1 || fail "mkfs.exfat failed"
dev=$(losetup -f --show "$work/card.img" 2>/dev/null) || skip "no loop device (losetup: $(losetup -f --show "$work/card.img" 2>&1))"
out=$(mount.exfat-fuse "$dev" "$mnt" 2>&1) || skip "mount.exfat-fuse failed: $out"
mountpoint -q "$mnt" || skip "the exFAT file system did not mount"
# Prove it is the file system meant: exFAT through FUSE.
fstype=$(stat -f -c %T "$mnt")
echo "exFAT mounted at $mnt from $dev (file system type: $fstype)"
case "$fstype" in fuse*) ;; *) fail "unexpected file system type $fstype" ;; esac

cp -r "$demo"/. "$mnt"/ || fail "cannot copy the demo card"
card=$mnt
run() {
  # Runs the command line in English; fails the test on a non-zero exit.
  "$cli" --lang en "$@" >"$work/out" 2>"$work/err" || { cat "$work/err"; fail "spurwerk-cli $* exited $?"; }
}
json_has() { grep -Eq -- "$1" "$work/out" || { cat "$work/out"; fail "no $1 in the output of the last command"; }; }

# set: the window's rules, written atomically on this file system.
run set "$card/PROJ001/PRJDATA.ZDT" --track 3 Fader=90 Pan=L20
run tracks "$card/PROJ001/PRJDATA.ZDT" --json --groups Fader,Pan --track-count 3
json_has '"fader": ?90'
json_has '"pan": ?-20'

# save-project: folder, AUDIO, effects file and one-second WAVs created.
run save-project "$card/PROJ001/PRJDATA.ZDT" "$card/PROJ010/PRJDATA.ZDT" --yes
[ -s "$card/PROJ010/PRJDATA.ZDT" ] || fail "save-project wrote no project"
[ -s "$card/PROJ010/EFXDATA.ZDT" ] || fail "save-project wrote no effects file"
ls "$card/PROJ010/AUDIO/"*.WAV >/dev/null 2>&1 || fail "save-project made no WAV files"

# copy: a whole project folder, then the same again keeps every WAV file.
run copy "$card/PROJ001" "$card/PROJ011" --yes
for f in "$card"/PROJ001/AUDIO/*.WAV; do
  cmp -s "$f" "$card/PROJ011/AUDIO/$(basename "$f")" || fail "copy changed or lost $(basename "$f")"
done
run copy "$card/PROJ001" "$card/PROJ011" --yes

# series: numbered projects in the card's root.
run series "$card/PROJ001/PRJDATA.ZDT" "$card" --start 20 --count 3 --yes
for n in 020 021 022; do [ -s "$card/PROJ$n/PRJDATA.ZDT" ] || fail "series made no PROJ$n"; done

# A lower-case project file, as some cards hold it: found, changed in place,
# its name kept.
mv "$card/PROJ002/PRJDATA.ZDT" "$card/PROJ002/x.tmp" && mv "$card/PROJ002/x.tmp" "$card/PROJ002/prjdata.zdt"
run set "$card/PROJ002/prjdata.zdt" --track 1 Fader=50
run tracks "$card/PROJ002/prjdata.zdt" --json --groups Fader --track-count 1
json_has '"fader": ?50'
ls "$card/PROJ002" | grep -qx prjdata.zdt || fail "the lower-case name was not kept: $(ls "$card/PROJ002")"
# Names compare without case on exFAT: the upper-case name reads the same file.
run tracks "$card/PROJ002/PRJDATA.ZDT" --json --groups Fader --track-count 1
json_has '"fader": ?50'

# infofiles: an info file beside every project, then deleted again.
run infofiles update "$card"
count=$(find "$card" -name 'PRJDATA___*.TXT' | wc -l)
[ "$count" -ge 5 ] || fail "infofiles update made $count info files"
run search "$card" --filter SONG1 --json
json_has '"count": ?'

# endmarks: a mark at the recording end of every project.
run endmarks "$card" --no
run marks "$card/PROJ001/PRJDATA.ZDT" --json
json_has '"recordingEnd": ?true'

# search: the projects by name, the lower-case one included.
run search "$card" --json
json_has 'prjdata.zdt'
json_has 'PROJ021'

run infofiles delete-all "$card"
[ "$(find "$card" -name 'PRJDATA___*.TXT' | wc -l)" -eq 0 ] || fail "infofiles delete-all left info files"

# archive, then restore onto the card under a new number: every byte back.
mkdir "$work/store"
run archive "$card/PROJ001" --to "$work/store"
archive=$(ls "$work/store"/*.tar 2>/dev/null | head -n 1)
[ -n "$archive" ] || fail "archive wrote no tar file into $work/store"
run archive --restore "$archive" --card "$card" --number 30 --no
diff -r "$card/PROJ001" "$card/PROJ030" >"$work/diff" 2>&1 || { cat "$work/diff"; fail "the restored PROJ030 differs from PROJ001"; }
# No temporary file of an atomic save is left anywhere.
left=$(find "$card" -name '.*.tmp*')
[ -z "$left" ] || fail "temporary files left behind: $left"
echo "exFAT workflow ok: set, save-project, copy, series, lower-case project, infofiles, endmarks, search, archive and restore"
