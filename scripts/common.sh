# Shared by run.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.

SPURWERK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SPURWERK_BUILD="${SPURWERK_BUILD:-$SPURWERK_ROOT/build}"

SPURWERK_PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev libcli11-dev libgtest-dev libgmock-dev
  xvfb xauth ccache
)

missing_packages() {
  local missing=()
  for p in "${SPURWERK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

ensure_packages() {
  command -v dpkg-query >/dev/null 2>&1 || return 0   # not Debian: the user installs by hand
  local missing
  missing="$(missing_packages)"
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
  else
    echo "Missing packages. Please run:" >&2
    echo "  sudo apt-get install $missing" >&2
    exit 1
  fi
}

build_spurwerk() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$SPURWERK_BUILD/CMakeCache.txt" ]; then
    cmake -S "$SPURWERK_ROOT" -B "$SPURWERK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  cmake --build "$SPURWERK_BUILD" -j "$jobs"
}
