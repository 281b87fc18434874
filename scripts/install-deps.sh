#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (run as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
# qt6-svg-dev draws the window's icons; xvfb, xauth and a font let
# scripts/screenshots.sh show the window without a desktop. libpugixml-dev
# reads and writes XLIFF; translate-toolkit (podebug, pocount) is the
# translation tool of the XLIFF end-to-end test; xmllint (libxml2-utils) and
# the strict XLIFF 1.2 schema of php-symfony-translation validate our XLIFF;
# omegat (a CAT tool, run in its console mode) translates it end to end. flex
# builds the scanner that bench/run measures every stage against.
packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libcli11-dev libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-14-dev libreoffice-writer-nogui xvfb xauth
          fonts-dejavu-core libpugixml-dev translate-toolkit libxml2-utils
          php-symfony-translation omegat flex)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
