#!/usr/bin/env bash
# Installs every Debian package that building, testing and running HUXO needs. Does nothing when all are there.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ make
    # the sanitizer runtime and libFuzzer for the checked builds
    clang-14 libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
    # run: the X11 platform plugin and the fonts the windows are designed with
    qt6-qpa-plugins fonts-liberation
    # headless smoke tests and screenshots
    xvfb xauth x11-utils imagemagick
    # the smoke test's close request and the window benchmark's paint watch talk to X directly
    libx11-dev libxdamage-dev
    # the soak speeds the program's clock up and sets alarms through the windows
    libfaketime xdotool
    # the Auto Set end-to-end test reads the progress list through the clipboard
    xclip
    # the install tests: desktop entry and metainfo validators, and the Debian package's dependency list
    desktop-file-utils appstream dpkg-dev file
    # the clock's D-Bus path is tested against a timedated stand-in on a private bus
    dbus python3-dbusmock
    # the network tests run in a private network with only loopback
    iproute2
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
