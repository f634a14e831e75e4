#!/usr/bin/env bash
# Runs a fixed set of spurwerk-cli commands over a scratch copy of the demo card
# and prints what they print, their exit codes and the bytes they leave behind.
# Two runs (say before and after a refactoring) are compared with diff.
#
# Usage: scripts/cli_snapshot.sh [spurwerk-cli] [demo card] > snapshot.txt
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$(realpath "${1:-$root/build/bin/spurwerk-cli}")"
card="$(realpath "${2:-$root/build/demo-card}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -a "$card" "$work/card"
cd "$work"

# Paths print relative to the scratch folder and file times are masked, so runs compare.
run() {
  echo "\$ spurwerk-cli $*"
  "$cli" "$@" 2>&1 | sed -E "s#$work/##g; s#[0-9]{2}\.[0-9]{2}\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}#<time>#g"
  echo "[exit ${PIPESTATUS[0]}]"
}

p1=card/PROJ001/PRJDATA.ZDT p2=card/PROJ002/PRJDATA.ZDT p3=card/PROJ003/PRJDATA.ZDT
for p in "$p1" "$p2" "$p3" card/BACKUP/2024/PROJ010/PRJDATA.ZDT; do
  run info "$p"; run tracks "$p"; run tracks "$p" --compact; run marks "$p"; run files "$p"
done
run info "$p1" --json; run tracks "$p1" --json; run marks "$p2" --json; run files "$p1" --json
run wav card/PROJ001/AUDIO --list-size; run wav card/PROJ001/AUDIO --json
run hex "$p1"; run diff "$p1" "$p2"; run diff "$p1" "$p2" --json
run search card; run search card --json
run set "$p3" --track 3 Fader=100 Pan=L20; run set "$p3" --all --bank1 Fader=90
run set "$p3" --track 2 Status=R; run copy-track "$p3" 1 5; run swap-tracks "$p3" 2 6
run diff "$p3" "$p1"
run marks "$p2" --set-end --no; run marks "$p2"
run save-project "$p3" card/NEW/PRJDATA.ZDT --yes; run copy card/PROJ002 card/PROJ020
run series "$p1" card --start 5 --count 2 --yes; run infofiles update card; run endmarks card --no
run search card
# Bad input: each must fail with a message and leave the card as it was.
run info card/NOPE/PRJDATA.ZDT; run set "$p1" --track 3 Fader=200; run set "$p1" --track 99 Fader=1
run set "$p1" --track 1 Pan=L15; run hex card; run tracks card/README.TXT
echo "== files left behind"
find card -type f | sort | while read -r f; do echo "$(md5sum <"$f" | cut -c1-32)  $f"; done
