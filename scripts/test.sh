#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test, two at a time per
# processor: the end-to-end tests spend most of their time waiting for the
# simulated adapter's replies.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" -DPELLANDOR_WERROR=ON
cd "${PELLANDOR_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$((2 * $(nproc)))" --timeout 600
