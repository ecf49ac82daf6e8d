#!/usr/bin/env bash
# Installs the build into a staging folder with DESTDIR and uses it from there only: the programs
# run, a program builds against the installed CMake package and reads the example, and every
# installed header compiles alone with the flags the installed pkg-config files give.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset LD_LIBRARY_PATH CPATH CPLUS_INCLUDE_PATH LIBRARY_PATH
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null
prefix=$work/stage/usr
cli=$prefix/bin/quillet-cli

[[ $("$cli" --version) == "$version" ]] || fail "quillet-cli --version does not print $version"
# Read whole before matching: grep -q leaving early would end ldd with SIGPIPE, a failure under
# pipefail.
libraries=$(ldd "$cli")
[[ $libraries == *"libCore.so.0 => $prefix/bin/../lib/quillet/"* ]] ||
  fail "the installed quillet-cli does not load the installed Core: $(grep libCore <<<"$libraries")"
[[ $("$cli" dump "$source/examples/hero.an1") == '{"name":"hero",'* ]] ||
  fail "quillet-cli dump does not print the example"

cmake -S "$source/tests/install/consumer" -B "$work/consumer" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/consumer" >"$work/build.log" ||
  fail "the consumer does not build against the installed package: $(cat "$work/build.log")"
frames=$("$work/consumer/frame_count" "$source/examples/hero.an1")
[[ $frames == 6 ]] || fail "the consumer counts $frames frames in the example, not 6"

flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags \
  quillet-core quillet-lumsel quillet-tessel quillet-pindle)
export flags
cd "$prefix/include/quillet"
find . -name '*.h' -printf '%P\n' | sort >"$work/headers"
[[ -f core/anim/actor_file.h && ! -e core/tiles/picture_file.h ]] ||
  fail "the public headers, and only those, are not installed under include/quillet"
# shellcheck disable=SC2016  # $flags and $0 expand in the shell that xargs starts
xargs -P "$(nproc)" -I{} sh -c 'echo "#include \"$0\"" |
  c++ -std=c++20 -fPIC -fsyntax-only $flags -x c++ - || echo "$0" >>"$1"' {} "$work/failed" \
  <"$work/headers"
[[ ! -s $work/failed ]] || fail "installed headers that do not compile alone: $(cat "$work/failed")"
echo "PASS"
