#!/usr/bin/env bash
# Installs every Debian package that building, testing and running HUXO needs, from a Debian 12 that has only
# git, ca-certificates and sudo (or is run as root). Does nothing when all are there.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ make
    # the fuzz build asks for clang++, which only the clang package provides; the sanitizer runtime and libFuzzer
    clang libclang-rt-14-dev
    # the format and shell-script checks of make test
    clang-format shellcheck
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
    # HTTP with hard limits on headers, bodies and their unpacking, and OpenSSL for the certificate check
    libcurl4-openssl-dev libssl-dev
    # run: the X11 platform plugin, the fonts the windows are designed with, and the time-zone database that the
    # zone hints read
    qt6-qpa-plugins fonts-liberation tzdata
    # headless smoke tests and screenshots
    xvfb xauth x11-utils imagemagick
    # the smoke test's close request and the window benchmark's paint watch talk to X directly
    libx11-dev libxdamage-dev
    # the soak speeds the program's clock up and sets alarms through the windows
    libfaketime xdotool
    # the Auto Set end-to-end test reads the progress list through the clipboard
    xclip
    # the install tests: desktop entry and metainfo validators, the Debian package's dependency list, Debian's own
    # check of both packages, and the reader of the manual page
    desktop-file-utils appstream dpkg-dev file lintian man-db
    # a Wayland desktop for the tests, headless, with XWayland, and Qt's native Wayland platform
    weston xwayland qt6-wayland
    # the clock's D-Bus path is tested against a timedated stand-in on a private bus, the reminder's notification
    # against a notification-daemon stand-in
    dbus python3-dbusmock
    # the screen reader's view of the windows: the accessibility bus, and its client library for Python
    at-spi2-core gir1.2-atspi-2.0 python3-gi
    # the network tests run in a private network with only loopback, and the end-to-end test mounts its own
    # host names over /etc/hosts there
    iproute2 mount
    # the time and update servers (server/): the web server with its Lua and TLS modules, the throw-away
    # certificates of development and tests, and the generator of dst.txt
    lighttpd lighttpd-modules-lua lighttpd-mod-openssl openssl python3
    # the server tests ask it over HTTP and HTTPS; the server benchmark loads it
    curl wrk
    # HTTPS trusts the system's certificate store; the proxy mode is tested through Debian's proxy (the program
    # alone: the tinyproxy package would also start a system service)
    ca-certificates tinyproxy-bin
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
echo "Installing ${#missing[@]} Debian packages and what they need: ${missing[*]}"
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
