#!/usr/bin/env bash
# Packs the build with CPack into a Debian package and checks what it holds and what it depends on.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"
package=$(echo "$work"/quillet_*.deb)
[[ -f $package ]] || fail "no quillet_*.deb in $(ls "$work")"

dpkg-deb -c "$package" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for file in /usr/bin/quillet /usr/bin/quillet-cli \
  /usr/lib/quillet/libCore.so.0 /usr/lib/quillet/libLumsel.so.0 \
  /usr/lib/quillet/libTessel.so.0 /usr/lib/quillet/libPindle.so.0 \
  /usr/include/quillet/core/anim/actor_file.h /usr/include/quillet/editor_support/pindle_api.h \
  /usr/lib/cmake/Quillet/QuilletConfig.cmake /usr/lib/cmake/Quillet/FindFreeImage.cmake \
  /usr/lib/pkgconfig/quillet-core.pc /usr/lib/pkgconfig/quillet-pindle.pc \
  /usr/share/applications/org.quillet.Quillet.desktop \
  /usr/share/metainfo/org.quillet.Quillet.metainfo.xml /usr/share/mime/packages/quillet.xml \
  /usr/share/thumbnailers/quillet.thumbnailer /usr/share/man/man1/quillet.1 \
  /usr/share/icons/hicolor/scalable/apps/org.quillet.Quillet.svg \
  /usr/share/icons/hicolor/48x48/apps/org.quillet.Quillet.png; do
  grep -qx "$file" "$work/files" || fail "the package lacks $file"
done

depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
# What dpkg-shlibdeps found in the programs, and what only the hand-named list can give.
for package_name in libc6 libqt6widgets6 libfreeimage3 qt6-qpa-plugins fonts-wqy-microhei \
  libgl1-mesa-dri libegl1; do
  [[ ", $depends," == *", $package_name"[\ ,]* ]] || fail "Depends lacks $package_name"
done
echo "PASS"
