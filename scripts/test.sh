#!/usr/bin/env bash
# Installs, builds (with the tests) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
QUILLEX_BUILD_TESTS=ON bash scripts/build.sh -DQUILLEX_WERROR=ON
cd build
ctest --output-on-failure -j2
