#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need, when missing.
#   scripts/install-deps.sh             what the build and every test need
#   scripts/install-deps.sh --optional  also the optional group: LibreOffice and Poppler's
#                                       tools, for converting presentations into slides
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache clang-format
    qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qttools5-dev-tools
    libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
    qtmultimedia5-dev libqt5multimedia5-plugins
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
    fontconfig fonts-dejavu-core
    xvfb xauth
)

# Presentations to slide pictures: LibreOffice headless (to PDF), pdftoppm (PDF to PNG).
optional_packages=(
    libreoffice-impress libreoffice-core poppler-utils
)

if [ "${1:-}" = "--optional" ]; then
    packages+=("${optional_packages[@]}")
fi

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
