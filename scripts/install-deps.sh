#!/usr/bin/env bash
# Installs what building and testing need, from Debian 12's packages, and
# any further packages named as arguments.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libcsv-dev libfmt-dev libfast-float-dev
    clang libclang-rt-14-dev clang-format shellcheck
    qt6-base-dev fonts-liberation2 poppler-utils
    cups cups-client
    xvfb xdotool x11-utils python3
    "$@"
)

sudo_if_needed=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_if_needed=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

if [ "${#missing[@]}" -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_if_needed[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
    "${sudo_if_needed[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}"
fi
