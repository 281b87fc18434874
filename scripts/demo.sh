#!/usr/bin/env bash
# The main job on the bundled examples: a forward batch over examples/ that
# writes QMX, ORG and ancillary files into out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=out/demo
rm -rf "$out"
mkdir -p "$out/org" "$out/translated"
export XDG_CONFIG_HOME="$PWD/out/config"
./build/src/quillex forward --format txt --org-dir "$out/org" --translated-dir "$out/translated" \
    --overwrite always --ancillary yes examples/*.DOC examples/*.STY
echo
echo "Outputs in $out:"
ls -l "$out/org" "$out/translated"
