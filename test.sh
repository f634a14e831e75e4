#!/usr/bin/env bash
# Installs what is missing, builds Spurwerk and runs every test: the normal
# build (core, CLI, GUI), the sanitizer build with the fuzz smoke runs, and the
# Windows build under Wine. Each part runs even when an earlier one failed.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages
ensure_packages --optional "${SPURWERK_TEST_PACKAGES[@]}"
jobs="$(nproc 2>/dev/null || echo 2)"
failed=()
# Each step's wall time and processor time (user + system of the programs it
# ran; about twice the wall time when both cores of a 2-core machine are busy).
times_file="$(mktemp)"
trap 'rm -f "$times_file"' EXIT
step_start=$SECONDS
step_cpu=0
step_done() {
  local cpu
  times >"$times_file"   # in this shell: a subshell would count none of them
  cpu=$(awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$times_file")
  echo "== $1: $((SECONDS - step_start)) s, processor time $((cpu - step_cpu)) s"
  step_start=$SECONDS
  step_cpu=$cpu
}

# Warnings in our code fail the build here, so the code stays warning-free.
build_spurwerk -DSPURWERK_WERROR=ON
package_spurwerk || failed+=("Debian package")
step_done "build and Debian package"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$SPURWERK_BUILD" --output-on-failure -j "$jobs" || failed+=("tests")
step_done "tests"

if sanitizer_toolchain_present; then
  if build_sanitized; then
    step_done "sanitizer build"
    # Any finding stops the program with a report, so the test fails.
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
      ctest --test-dir "$SPURWERK_ASAN_BUILD" --output-on-failure -j "$jobs" || failed+=("sanitizer and fuzz tests")
  else
    failed+=("sanitizer build")
  fi
  step_done "sanitizer tests and fuzz runs"
else
  echo "clang with libFuzzer not found: sanitizer and fuzz tests skipped" >&2
fi

if windows_toolchain_present; then
  start_wine
  if build_windows; then
    step_done "Windows build"
    # Wine now and then fails to start a test program at all (no output, exit
    # within milliseconds); a second try tells that apart from a real failure.
    ctest --test-dir "$SPURWERK_WIN_BUILD" --output-on-failure -j "$jobs" --repeat until-pass:2 || failed+=("Windows tests")
  else
    failed+=("Windows build")
  fi
  stop_wine
  step_done "Windows tests under Wine"
else
  echo "MinGW-w64 or Wine not found: Windows tests skipped" >&2
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "All tests passed."
