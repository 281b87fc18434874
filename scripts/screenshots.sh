#!/usr/bin/env bash
# Takes the pictures of the window for the documentation: every page (after a
# forward batch over examples/), each confirmation dialog, the splash screen
# and the Help window, at 100% and 200% scale, into docs/screenshots/ and
# docs/screenshots/200/. Runs the program under Xvfb with settings of its own,
# so nothing of the user's settings is read or changed.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${QUILLEX_GUI:-./build/src/quillex-gui}
if [[ ! -x "$program" ]]; then
    echo "screenshots: build first (bash scripts/build.sh); $program is missing" >&2
    exit 1
fi
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb LANG=C.UTF-8
run() {
    xvfb-run --auto-servernum --server-args="-screen 0 1920x1200x24 -dpi 96" "$@"
}
QT_SCALE_FACTOR=1 run "$program" --screenshots docs/screenshots --examples examples
QT_SCALE_FACTOR=2 run "$program" --screenshots docs/screenshots/200 --examples examples
ls docs/screenshots docs/screenshots/200
