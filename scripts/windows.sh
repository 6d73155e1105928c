#!/usr/bin/env bash
# Builds KELVOR for 64-bit Windows on this Debian machine with mingw-w64 and
# packs build/windows/kelvor-VERSION-windows-x86_64.zip: kelvor.exe,
# kelvor-capture.exe, the show's eight files, README.txt and the licences.
#   ./scripts/windows.sh
#   ./scripts/windows.sh --libraries   only the libraries below (the test
#                                      command builds them beside its other work)
# SDL2, libopenmpt and libpng are built for Windows from Debian's source
# packages (the versions below), statically, once, into $KELVOR_WINDOWS_CACHE
# (default ~/.cache/kelvor/windows-x86_64, shared by every clone on the
# machine); each is rebuilt only when its version or the way it is built here
# changes. Prints the build times and the sizes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
out="$root/build/windows"
triple=x86_64-w64-mingw32
toolchain="$root/cmake/$triple.cmake"

sdl2_version=2.26.5+dfsg-1
openmpt_version=0.6.9-1
png_version=1.6.39-2+deb12u5
deps="${KELVOR_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvor/windows-x86_64}"
mkdir -p "$deps" "$out"
deps=$(cd "$deps" && pwd)
prefix="$deps/prefix"
# Every clone on the machine shares the libraries: one builds them at a
# time, and the others wait and then find them built.
exec 9> "$deps/lock"
flock 9

# apt-get source with a configuration of this script's own: one deb-src
# line, its own package lists and cache, so the machine's apt sources stay
# as they are. Sets $source to the unpacked folder of package $1 at version $2.
fetch_source() {
  local package=$1 version=$2 apt="$deps/apt"
  local upstream=${version#*:}
  upstream=${upstream%-*}
  source="$deps/src/$package-$upstream"
  [ -d "$source" ] && return
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts" "$deps/src"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    > "$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
                 -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
  [ -f "$apt/updated" ] || { apt-get "${options[@]}" -qq update && touch "$apt/updated"; }
  (cd "$deps/src" && apt-get "${options[@]}" -qq source "$package=$version" > "$deps/$package.fetch.log")
  [ -d "$source" ] || { echo "windows.sh: $package $version did not unpack to $source" >&2; exit 1; }
}

# Runs "build_$1 SOURCE" unless the stamp says that this version was built
# with these settings already.
build_once() {
  local name=$1 package=$2 version=$3 settings=$4
  local stamp="$deps/$name.stamp"
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version $settings" ] && return
  echo "== $name $version for Windows (into $prefix)"
  local started=$SECONDS
  fetch_source "$package" "$version"
  rm -rf "$deps/build/$name"
  "build_$name" "$source" "$deps/build/$name" > "$deps/$name.log" 2>&1 \
    || { tail -30 "$deps/$name.log" >&2; echo "windows.sh: building $name failed; see $deps/$name.log" >&2; exit 1; }
  echo "$version $settings" > "$stamp"
  echo "   $name built in $((SECONDS - started)) s"
}

# Configures, builds and installs the CMake project in $1 for Windows into
# $prefix, building in $2, with the settings after them.
build_with_cmake() {
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
}

# What the show uses of SDL: video, events, render, audio, timers, threads
# (and the disk audio driver, through which the tests hear the music).
sdl2_settings="-DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF -DSDL_JOYSTICK=OFF
  -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF
  -DSDL_VULKAN=OFF -DSDL_OPENGLES=OFF -DSDL_XINPUT=OFF -DSDL_DUMMYAUDIO=OFF -DSDL_DISKAUDIO=ON -DSDL_CCACHE=OFF"
build_sdl2() {
  # shellcheck disable=SC2086
  build_with_cmake "$1" "$2" $sdl2_settings
  install -D -m 644 "$1/LICENSE.txt" "$prefix/licences/SDL2.txt"
}

# The library alone, without the decoder libraries: the show plays an XM.
openmpt_settings="--disable-shared --enable-static --disable-openmpt123 --disable-examples --disable-tests
  --disable-doxygen-doc --without-zlib --without-mpg123 --without-ogg --without-vorbis --without-vorbisfile
  --without-portaudio --without-portaudiocpp --without-sndfile --without-flac --without-pulseaudio --without-sdl2"
build_openmpt() {
  mkdir -p "$2"
  # shellcheck disable=SC2086
  (cd "$2" && "$1/configure" --host=$triple --prefix="$prefix" \
     CC=$triple-gcc-posix CXX=$triple-g++-posix CFLAGS=-O2 CXXFLAGS=-O2 $openmpt_settings \
   && make -j"$jobs" && make install)
  install -D -m 644 "$1/LICENSE" "$prefix/licences/libopenmpt.txt"
}

# For the capture tool's PNG frames; zlib is Debian's libz-mingw-w64-dev.
png_settings="-DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF"
build_png() {
  # shellcheck disable=SC2086
  build_with_cmake "$1" "$2" $png_settings
  install -D -m 644 "$1/LICENSE" "$prefix/licences/libpng.txt"
  install -D -m 644 /usr/share/doc/libz-mingw-w64-dev/copyright "$prefix/licences/zlib.txt"
}

"$root/scripts/packages.sh" show windows
export KELVOR_WINDOWS_DEPS="$prefix"
deps_started=$SECONDS
build_once sdl2 libsdl2 "$sdl2_version" "$sdl2_settings"
build_once openmpt libopenmpt "$openmpt_version" "$openmpt_settings"
build_once png libpng1.6 "$png_version" "$png_settings"
deps_seconds=$((SECONDS - deps_started))
exec 9>&-
[ "${1:-}" = --libraries ] && exit 0

echo "== kelvor.exe and kelvor-capture.exe"
show_started=$SECONDS
# A build folder made against other libraries (another cache) starts afresh.
if [ -f "$out/build/CMakeCache.txt" ] && ! grep -qx "KELVOR_WINDOWS_DEPS:[A-Z]*=$prefix" "$out/build/CMakeCache.txt"; then
  rm -rf "$out/build"
fi
(cd "$root" && cmake --preset windows -DKELVOR_WINDOWS_DEPS="$prefix" > "$out/configure.log")
(cd "$root" && cmake --build --preset windows -j"$jobs")
show_seconds=$((SECONDS - show_started))

# The show's files come from the generator of the desktop build, which
# makes the same bytes on every machine.
echo "== the show's files (kelvor-assets, desktop build)"
# The show's own build (build/show), as ./scripts/show.sh makes it.
(cd "$root" && cmake --preset show > /dev/null)
cmake --build "$root/build/show" -j"$jobs" --target kelvor_show_assets kelvor_show_facts_files > /dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")
name="kelvor-$version-windows-x86_64"
stage="$out/$name"
rm -rf "$out"/kelvor-*-windows-x86_64 "$out"/kelvor-*-windows-x86_64.zip
mkdir -p "$stage/licences"
# The same bytes from the same sources: the programs' headers and the zip
# carry the time of the last commit, not of the build.
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)
SOURCE_DATE_EPOCH=$stamp $triple-strip -o "$stage/kelvor.exe" "$out/build/kelvor.exe"
SOURCE_DATE_EPOCH=$stamp $triple-strip -o "$stage/kelvor-capture.exe" "$out/build/kelvor-capture.exe"
for file in $(source "$root/build/show/show_facts.sh" && echo "$KELVOR_SHOW_FILES"); do
  cp "$root/build/show/show/$file" "$stage/"
done
cp "$prefix"/licences/*.txt "$stage/licences/"
cp "$root/LICENSE" "$stage/licences/KELVOR.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/licences/mingw-w64-runtime.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licences/gcc-runtime.txt"
sed "s/@VERSION@/$version/" "$root/src/platform/windows/README.txt.in" > "$stage/README.txt"
# Windows text files end their lines with CR LF.
for text in "$stage/README.txt" "$stage"/licences/*.txt; do
  sed -i 's/\r$//; s/$/\r/' "$text"
done
find "$stage" -exec touch -h -d "@$stamp" {} +
(cd "$out" && find "$name" | LC_ALL=C sort | zip -X -q -@ "$name.zip")

size() { stat -c %s "$1" | awk '{ printf "%.1f MB", $1 / 1048576 }'; }
echo "dependencies: $deps_seconds s (0 when cached); show and capture tool: $show_seconds s"
echo "kelvor.exe $(size "$stage/kelvor.exe"), kelvor-capture.exe $(size "$stage/kelvor-capture.exe")"
echo "Windows build: $out/$name.zip ($(size "$out/$name.zip"))"
