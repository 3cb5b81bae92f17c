#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need,
# but only those that are missing, so that running it again costs nothing.
set -euo pipefail

packages=(
  g++ gfortran make cmake pkg-config binutils
  libgtest-dev libmseed-dev
  libplplot-dev plplot-driver-cairo fonts-dejavu-core libpng-dev zlib1g-dev
  util-linux procps man-db
  clang libclang-rt-14-dev
  parallel
  libfuse3-dev fuse3
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

echo "bootstrap: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
