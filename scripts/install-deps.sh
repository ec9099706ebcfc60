#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need, when missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache clang-format
    qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qttools5-dev-tools
    libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
    fontconfig fonts-dejavu-core
    xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
