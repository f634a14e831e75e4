#!/usr/bin/env bash
# Runs a Windows program of the cross-build under Wine, in a Wine prefix of
# the build tree (created quietly on first use).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-${SPURWERK_WIN_BUILD:-$here/build-win}/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init </dev/null >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
fi
# A server started by the program itself, and the services Wine starts with
# it, would inherit the program's output and keep the caller (ninja, ctest)
# waiting for as long as they run: start them apart.
if wineserver -p300 </dev/null >/dev/null 2>&1; then
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
fi
# Listing the tests right after the link now and then fails without a word
# (Wine meeting the freshly written program): try again before giving up.
if [[ " $* " == *" --gtest_list_tests"* ]]; then
  for attempt in 1 2 3; do
    if listing="$(wine "$@")"; then
      printf '%s\n' "$listing"
      exit 0
    fi
    sleep "$attempt"
  done
  exit 1
fi
exec wine "$@"
