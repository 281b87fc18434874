#!/usr/bin/env bash
# Configures and builds into build/ (extra arguments go to cmake's configure
# step). By default it builds what the programs and the demo need (the
# libraries, quillex, quillex-gui and the document generator) and not the
# tests; QUILLEX_BUILD_TESTS=ON in the environment builds the tests too, as
# scripts/test.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLEX_BUILD_TESTS="${QUILLEX_BUILD_TESTS:-OFF}" "$@"
cmake --build build -j2
