#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" -DPELLANDOR_WERROR=ON
cd "${PELLANDOR_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$(nproc)" --timeout 600
