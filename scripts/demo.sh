#!/usr/bin/env bash
# The main job on the bundled examples, the whole way round:
#  1. a forward batch over examples/ that writes QMX, ORG and ancillary files
#     into out/demo/org and a copy of the QMX files into out/demo/translated;
#  2. a translation of chapter4 made by a small script (English words
#     replaced by French ones, every tag kept) and a careless "translation"
#     of chapter3 (one tag deleted, one added, one changed, one pair left
#     unbalanced);
#  3. a Verify batch over the translated copies, which writes a .CMP report
#     for the damaged file;
#  4. a backward batch that merges the translation of chapter4 into its
#     skeleton, giving out/demo/translated/chapter4.DOC;
#  5. a forward conversion of that translated document, whose QMX file shows
#     the translated text in place.
set -euo pipefail
cd "$(dirname "$0")/.."
out=out/demo
quillex=./build/src/quillex
rm -rf "$out"
mkdir -p "$out/org" "$out/translated" "$out/again"
export XDG_CONFIG_HOME="$PWD/out/config"

echo "== Forward conversion"
$quillex forward --format txt --org-dir "$out/org" --translated-dir "$out/translated" \
    --overwrite always --ancillary yes examples/*.DOC examples/*.STY || true

echo
echo "== A translation of chapter4.TXT (words changed outside the tags)"
# Text runs are what stands outside "<...>" (a tag may hold one level of
# tags of its own); the header lines are left alone.
perl -i -pe '
    next if $. <= 4;
    my %french = (Maintenance => "Entretien", Clean => "Nettoyez", the => "la",
                  printer => "imprimante", once => "une fois", a => "par", month => "mois",
                  Keep => "Gardez", cover => "capot", closed => "ferm\xe9", while => "pendant que",
                  is => "est", on => "allum\xe9e", Remove => "Retirez", paper => "papier",
                  tray => "bac", first => "d\x27abord");
    my @parts = split /(<(?:[^<>]|<[^<>]*>)*>)/;
    for (@parts) {
        next if /^</;
        s/\b([A-Za-z]+)\b/exists $french{$1} ? $french{$1} : $1/ge;
    }
    $_ = join "", @parts;
' "$out/translated/chapter4.TXT"
diff <(tr -d '\r' < "$out/org/chapter4.TXT") <(tr -d '\r' < "$out/translated/chapter4.TXT") || true

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
echo "== The report $out/translated/chapter3.CMP"
tr -d '\r' < "$out/translated/chapter3.CMP"

echo
echo "== Backward conversion of chapter4 (the damaged chapter3 would be refused)"
$quillex backward --format txt --org-dir "$out/org" --target-language French \
    --overwrite always "$out/translated/chapter4.TXT"

echo
echo "== The translated document, converted forward again"
$quillex forward --format txt --org-dir "$out/again" --overwrite always --ancillary no \
    --quiet "$out/translated/chapter4.DOC"
tr -d '\r' < "$out/again/chapter4.TXT"

echo
echo "Outputs in $out:"
ls -l "$out/org" "$out/translated" "$out/again"
