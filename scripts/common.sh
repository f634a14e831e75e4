# Shared by run.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.

SPURWERK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SPURWERK_BUILD="${SPURWERK_BUILD:-$SPURWERK_ROOT/build}"

# Let ccache reuse objects across clones in different folders (CI builds a
# fresh clone each time).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$SPURWERK_ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
SPURWERK_ASAN_BUILD="${SPURWERK_ASAN_BUILD:-$SPURWERK_ROOT/build-asan}"
SPURWERK_WIN_BUILD="${SPURWERK_WIN_BUILD:-$SPURWERK_ROOT/build-win}"

SPURWERK_PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev libfontconfig-dev libcli11-dev nlohmann-json3-dev libgtest-dev libgmock-dev
  libflac-dev libarchive-dev
  xvfb xauth ccache
  libsndfile1-dev libsoxr-dev
)
# Only test.sh needs these: the sanitizer and fuzz build (clang with its
# runtime libraries), the Windows build of core and CLI under Wine, the Debian
# package (dpkg-shlibdeps) and its checks (lintian, AppStream, desktop entry),
# the manual page check, the shell completions (zsh), the exFAT card test, the
# system-call count of the search benchmark; WAV files written by other
# programs for the sample reader's tests; the flac encoder as the archive
# benchmark's yardstick.
SPURWERK_TEST_PACKAGES=(
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64
  dpkg-dev file groff man-db
  lintian appstream desktop-file-utils zsh
  exfatprogs exfat-fuse
  strace
  sox ffmpeg pulseaudio flac
)

missing_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

# ensure_packages [--optional] [package...]: without a list the packages every
# build needs; with --optional a missing package is only reported when we
# cannot install it (the steps that need it are then skipped).
ensure_packages() {
  command -v dpkg-query >/dev/null 2>&1 || return 0   # not Debian: the user installs by hand
  local optional=0
  if [ "${1:-}" = "--optional" ]; then optional=1; shift; fi
  [ $# -eq 0 ] && set -- "${SPURWERK_PACKAGES[@]}"
  local missing
  missing="$(missing_packages "$@")"
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
  elif [ "$optional" -eq 1 ]; then
    echo "Not installed (the tests that need them are skipped): $missing" >&2
    echo "  sudo apt-get install $missing" >&2
  else
    echo "Missing packages. Please run:" >&2
    echo "  sudo apt-get install $missing" >&2
    exit 1
  fi
}

# build_spurwerk [cmake option...]: configures once, then builds everything;
# with SPURWERK_TARGET set only that target (run.sh: spurwerk_programs).
build_spurwerk() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$SPURWERK_BUILD/CMakeCache.txt" ]; then
    cmake -S "$SPURWERK_ROOT" -B "$SPURWERK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  elif [ $# -gt 0 ]; then
    # Options reach an existing build too; nothing is rebuilt when they are unchanged.
    cmake -S "$SPURWERK_ROOT" -B "$SPURWERK_BUILD" "$@" >/dev/null
  fi
  cmake --build "$SPURWERK_BUILD" -j "$jobs" ${SPURWERK_TARGET:+--target "$SPURWERK_TARGET"}
}

# The sanitizer build: AddressSanitizer + UndefinedBehaviorSanitizer of core,
# CLI and their tests, and the libFuzzer targets. Needs clang.
build_sanitized() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$SPURWERK_ASAN_BUILD/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$SPURWERK_ROOT" -B "$SPURWERK_ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSPURWERK_GUI=OFF -DSPURWERK_BENCH=OFF -DSPURWERK_SANITIZE=ON -DSPURWERK_FUZZ=ON
  fi
  cmake --build "$SPURWERK_ASAN_BUILD" -j "$jobs"
}

sanitizer_toolchain_present() {
  command -v clang++ >/dev/null 2>&1 &&
    echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
      clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - >/dev/null 2>&1
}

# The Windows build of core, CLI and their tests (MinGW-w64), run under Wine.
build_windows() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$SPURWERK_WIN_BUILD/CMakeCache.txt" ]; then
    # -Og and no debug information: the tests need the code, not its speed,
    # and the build stays short (most of it is parsing the standard headers).
    cmake -S "$SPURWERK_ROOT" -B "$SPURWERK_WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-Og -DNDEBUG" \
      -DCMAKE_TOOLCHAIN_FILE="$SPURWERK_ROOT/cmake/mingw-w64-x86_64.cmake" -DSPURWERK_GUI=OFF -DSPURWERK_BENCH=OFF
  fi
  cmake --build "$SPURWERK_WIN_BUILD" -j "$jobs"
}

windows_toolchain_present() {
  command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 && command -v wine >/dev/null 2>&1 &&
    { [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null 2>&1; }
}

# A Wine prefix in the build tree, created quietly; its server stays up between
# the test programs (stop_wine ends it) and holds none of our output open.
start_wine() {
  export WINEPREFIX="$SPURWERK_WIN_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init </dev/null >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
  if wineserver -p300 </dev/null >/dev/null 2>&1; then
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true   # its services, apart from our output
  fi
}

stop_wine() {
  wineserver -k 2>/dev/null || true
}

# The Debian package of the normal build (build/spurwerk_<version>_amd64.deb).
package_spurwerk() {
  command -v dpkg-shlibdeps >/dev/null 2>&1 || { echo "dpkg-dev not found: no Debian package" >&2; return 0; }
  (cd "$SPURWERK_BUILD" && cpack -G DEB >/dev/null) || { echo "cpack -G DEB failed" >&2; return 1; }
}
