#!/usr/bin/env bash
# Screenshots of every window as a user sees them: Spurwerk on the demo card
# under a light window manager on a virtual screen of 1366x768 and 1920x1080,
# in German and in English. Usage: scripts/screenshots.sh OUTPUT_FOLDER [SIZE...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="${1:?usage: $0 OUTPUT_FOLDER [WIDTHxHEIGHT ...]}"
shift
sizes=("${@:-1366x768}")
[ $# -eq 0 ] && sizes=(1366x768 1920x1080)
mkdir -p "$out"
out="$(cd "$out" && pwd)"

ensure_packages --optional xvfb xdotool imagemagick openbox
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: no screenshots" >&2; exit 1; }
done
bin="$SPURWERK_BUILD/bin"
card="$SPURWERK_BUILD/demo-card/PROJ001/PRJDATA.ZDT"
[ -x "$bin/Spurwerk" ] && [ -f "$card" ] || { echo "build first: $bin/Spurwerk, $card" >&2; exit 1; }

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

shot() {  # shot NAME: the whole screen
  sleep 1
  import -display "$DISPLAY" -window root "$out/$prefix-$1.png"
  echo "  $prefix-$1.png"
}
window() {  # window TITLE-PATTERN: the id of the newest visible window of that title
  local id=""
  for _ in $(seq 1 50); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)"
    [ -n "$id" ] && break
    sleep 0.2
  done
  echo "$id"
}
click() {  # click WINDOW-ID X Y: inside the window's client area
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

display=90
for size in "${sizes[@]}"; do
  display=$((display + 1))
  export DISPLAY=":$display"
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
  fi
  for language in Deutsch English; do
    prefix="$size-$language"
    echo "$prefix"
    program="$work/$prefix"
    cp -r "$bin" "$program"
    cp -r "$(dirname "$(dirname "$card")")" "$program/card"
    # First start: the language window.
    "$program/Spurwerk" >/dev/null 2>&1 &
    app=$!
    w="$(window "Sprache")"
    shot language
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    # The box lists the language files in the order the folder does.
    index="$(ls -U "$program" | grep '^Spurwerk_GUI_.*\.INI$' | grep -n "_$language\.INI" | cut -d: -f1)"
    printf '[Options]\r\nLanguageIndex=%s\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n' "$index" \
      >"$program/Spurwerk.INI"
    rm -f "$program/Spurwerk_WindowPositions.INI"

    "$program/Spurwerk" "$program/card/PROJ001/PRJDATA.ZDT" >/dev/null 2>&1 &
    app=$!
    main="$(window "PRJDATA.ZDT")"
    mixer="$(window "Proje")"
    shot mixer
    xdotool windowactivate --sync "$main" 2>/dev/null || true
    click "$main" 170 156   # the expert panel
    shot main
    xdotool key --window "$main" F1
    shot info
    xdotool key Escape
    sleep 0.5
    click "$main" 291 120   # project series
    shot series
    xdotool key --window "$(window "Proje.*Seri")" Escape 2>/dev/null || true
    xdotool windowactivate --sync "$main" 2>/dev/null || true
    click "$main" 74 50     # open: the history dialog
    shot history
    xdotool key Escape
    sleep 0.5
    click "$main" 250 50    # search: a folder, a filter, then the list
    shot folder
    xdotool key Return
    shot filter
    xdotool key Return
    sleep 1
    shot list
    xdotool windowminimize "$(window "(File list|Datei-Liste) ZDT")" 2>/dev/null || true
    sleep 0.5
    click "$mixer" 647 52   # track count: a question, then the timed dialog
    shot question
    xdotool key Return
    shot timed
    xdotool key Escape
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  done
done
echo "screenshots in $out"
