#!/usr/bin/env bash
# Installs what is missing, builds Spurwerk and runs every test.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages
build_spurwerk
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$SPURWERK_BUILD" --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
