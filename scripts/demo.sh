#!/usr/bin/env bash
# The main job on the bundled examples:
#  1. a forward batch over examples/ that writes QMX, ORG and ancillary files
#     into out/demo/org and a copy of the QMX files into out/demo/translated;
#  2. a careless "translation" of chapter3 (one tag deleted, one added, one
#     changed, one pair left unbalanced);
#  3. a Verify batch over the translated copies, which writes a .CMP report
#     for the damaged file.
set -euo pipefail
cd "$(dirname "$0")/.."
out=out/demo
quillex=./build/src/quillex
rm -rf "$out"
mkdir -p "$out/org" "$out/translated"
export XDG_CONFIG_HOME="$PWD/out/config"

echo "== Forward conversion"
$quillex forward --format txt --org-dir "$out/org" --translated-dir "$out/translated" \
    --overwrite always --ancillary yes examples/*.DOC examples/*.STY || true

echo
echo "== A careless translation of chapter3.TXT"
translated="$out/translated/chapter3.TXT"
sed -i \
    -e '0,/<cnmk 1>\r$/{/<cnmk 1>\r$/d}' \
    -e '0,/Before you begin/s/Before you begin/Avant de commencer<:hs>/' \
    -e 's/<ps "head" 3>Installing/<ps "head" 7>Installation/' \
    -e '0,/<:\/fc>/s/<:\/fc>//' \
    "$translated"
diff <(tr -d '\r' < "$out/org/chapter3.TXT") <(tr -d '\r' < "$translated") || true

echo
echo "== Verification"
$quillex verify --format txt --source-dir "$out/org" --overwrite always "$out"/translated/*.TXT || true

echo
echo "Outputs in $out:"
ls -l "$out/org" "$out/translated"
echo
echo "== The report $out/translated/chapter3.CMP"
tr -d '\r' < "$out/translated/chapter3.CMP"
