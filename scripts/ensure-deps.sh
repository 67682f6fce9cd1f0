#!/usr/bin/env bash
# Installs the Debian packages the build, the application and the tests need, when missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qtbase5-dev libqt5sql5-sqlite qttools5-dev-tools qttools5-dev
    fonts-font-awesome fonts-wqy-microhei fonts-liberation
    libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth iproute2
    tshark
    desktop-file-utils appstream dpkg-dev
    libqt5websockets5-dev libcpp-httplib-dev liblo-dev
)
if [ "${1:-}" = "--gui" ]; then
    packages+=(qt5-gtk-platformtheme)
elif [ "${1:-}" = "--screenshots" ]; then
    packages+=(xdotool imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "Missing packages (${missing[*]}) and neither root nor sudo to install them." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
