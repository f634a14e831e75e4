#!/usr/bin/env bash
# Installs what is missing, builds Spurwerk and opens it on a demo project.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages
# Only what runs: the two programs, templates, language files and the demo
# card; ./test.sh builds the tests and benchmarks too.
SPURWERK_TARGET=spurwerk_programs build_spurwerk
demo="$SPURWERK_BUILD/demo-card/PROJ001/PRJDATA.ZDT"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "$(uname)" != "Darwin" ]; then
  echo "No display found (DISPLAY is not set), so the Spurwerk window cannot open."
  echo "Start it on a desktop, or under a virtual display: xvfb-run ./run.sh"
  echo "Here is the demo project as the command line shows it:"
  echo
  exec "$SPURWERK_BUILD/bin/spurwerk-cli" info "$demo"
fi
exec "$SPURWERK_BUILD/bin/Spurwerk" "$demo" "$@"
