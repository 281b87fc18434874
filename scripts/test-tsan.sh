#!/usr/bin/env bash
# Builds the CT_ library and its tests with ThreadSanitizer into build-tsan/
# and runs them: buffers shared across threads, the error manager's pools.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLEX_WERROR=ON "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build build-tsan -j2 --target quillex_ct test_ct
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/test_ct
