#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest; then, unless QUICK=1, the same suite under
# the sanitizers and a bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
if [ "${QUICK:-0}" != 1 ]; then
    bash scripts/sanitize.sh
    bash scripts/fuzz.sh
fi
