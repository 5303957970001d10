#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Ondalis need.
# Does nothing when every package is already present. Runs apt-get as root or through sudo.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
    qt6-svg-dev
    libeigen3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-dejavu-core fonts-symbola
    xvfb xauth x11-utils x11-xserver-utils xdotool bc
    desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev
    unrtf
    librsvg2-bin poppler-utils
    libreoffice-calc-nogui python3-numpy python3-pandas
    clang-format gcovr
)
# Extra packages asked for by a caller (the fuzz scripts ask for clang and its runtime).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "install-deps: need root or sudo to install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
