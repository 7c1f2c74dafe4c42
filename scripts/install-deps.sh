#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any is missing, and any further packages named as arguments. Runs apt-get
# as root, or through sudo for other users.
set -euo pipefail

packages=(
    g++ clang libclang-rt-dev cmake ninja-build make pkg-config
    libgtest-dev libgmock-dev
    nkf            # the reference the conversion tests compare against
    rapidjson-dev  # the parse benchmark's yardstick
    qt6-base-dev qt6-qpa-plugins libgl-dev  # Qt 6 Widgets, Network, Gui, Test; offscreen platform
    qt6-translations-l10n  # Japanese buttons in Qt's own dialogs
    fonts-ipafont-gothic  # a Japanese gothic font for the preview labels
    curl           # fetches files from the HTTP responder in the link tests
    git            # the merge and diff driver test runs real git
    dpkg-dev appstream  # the package: dpkg-shlibdeps for its dependencies, its metadata check
    file           # cpack reads the binaries' kind with it before dpkg-shlibdeps
    qt6-l10n-tools  # lupdate and lrelease for the translations
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
