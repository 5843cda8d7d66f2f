#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Quillabe need, and the
# further packages named as arguments (a script's own needs); packages already present are left
# alone.
#
#   scripts/install-deps.sh [PACKAGE...]
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config
qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core
libmediainfo-dev libjpeg-dev
googletest libgtest-dev libgmock-dev
ffmpeg libopencore-amrnb-dev libvo-amrwbenc-dev
qt6-translations-l10n
xvfb xauth dbus procps
$*"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
