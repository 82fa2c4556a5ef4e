#!/usr/bin/env bash
# Installs every Debian package Norvel needs to build, test, fuzz and benchmark.
# Idempotent: packages already present are not touched, and apt is not called at all
# when nothing is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config git
    clang clang-format libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libicu-dev libxml2-dev libxslt1-dev zlib1g-dev libjpeg-dev libcli11-dev nlohmann-json3-dev
    xz-utils python3 espeak-ng dict-freedict-eng-ita dict-freedict-ita-eng
    # The windows: Qt 6 Widgets with its SVG, multimedia (over GStreamer, never Qt's ffmpeg
    # backend, which crashes without an audio device) and translation tools, Qt's own
    # Italian texts, the platform plugins, a font and the icon theme the toolbar pictures
    # come from, and a virtual display for screenshots and window tests.
    qt6-base-dev qt6-qpa-plugins qt6-svg-dev qt6-multimedia-dev gstreamer1.0-plugins-good
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    fonts-dejavu-core adwaita-icon-theme xvfb xauth
    # Looking up text in other applications (X11 and its XTest extension); xclip for its test.
    libx11-dev libxtst-dev xclip
    # The journeys through the real window: X input events and the accessibility bus.
    xdotool dbus-daemon at-spi2-core python3-pyatspi
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
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 install -y --no-install-recommends "${missing[@]}"
