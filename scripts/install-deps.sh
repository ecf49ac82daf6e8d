#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing else.
# Idempotent: packages already installed are skipped, and with nothing missing it does not touch
# the network. Uses sudo when not run as root. Grow the list together with the code that needs it.
set -euo pipefail

packages=(
  # toolchain and build
  g++ make cmake ninja-build pkg-config
  # image files; Qt for the GDI-style driver's raster engine and Pindle's widgets, with a CJK font
  # so Chinese texts render under the offscreen platform
  libfreeimage-dev qt6-base-dev fonts-wqy-microhei
  # the accelerated canvas driver: OpenGL through libepoxy, PNG, headless EGL on Mesa for tests
  libepoxy-dev libegl-dev libgl-dev libgl1-mesa-dri libpng-dev zlib1g-dev
  # tests and benchmarks; the GL widget test runs in a virtual X server, and the recovery test
  # closes the editor's window through X
  libgtest-dev libgmock-dev libbenchmark-dev libqt6opengl6-dev xvfb xauth libxcb1-dev
  # validators of the desktop entry, the AppStream metainfo and the mime type
  desktop-file-utils appstream libxml2-utils
  # fuzz targets and the sanitizer runtime that clang only recommends
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
as_root=()
if ((EUID != 0)); then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
