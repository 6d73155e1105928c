#!/usr/bin/env bash
# The Debian package as cpack builds it: its name, version and library
# dependencies (from dpkg-shlibdeps), lintian without errors or warnings,
# the same files as cmake --install under /usr, and the show unpacked with
# dpkg -x started from a folder that holds none of its files.
# Usage: check_debian_package.sh BUILD_DIR VERSION APP_ID SHOW_UNDER_XVFB [ARCH [EMULATOR]]
set -uo pipefail
build=$1 version=$2 id=$3 xvfb_show=$4
# A cross build makes the package of its own architecture (arm64), whose
# programs run through EMULATOR (qemu-aarch64).
arch=${5:-$(dpkg --print-architecture)} emulator=${6:-}
for tool in cpack dpkg-deb dpkg-shlibdeps lintian file; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed (scripts/packages.sh test installs it)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/elsewhere"
source "$(dirname "$0")/installed_files.sh"

deb=$work/kelvor_${version}_$arch.deb
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1
check "cpack builds $(basename "$deb")" "[ -f '$deb' ]" || cat "$work/cpack.log"
[ -f "$deb" ] || exit 1
echo "package: $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"

check "package name, version and architecture" "[ \"\$(dpkg-deb -f '$deb' Package)\" = kelvor ] && [ \"\$(dpkg-deb -f '$deb' Version)\" = '$version' ] && [ \"\$(dpkg-deb -f '$deb' Architecture)\" = '$arch' ]"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libsdl2-2.0-0 libopenmpt0 libpng16-16 libstdc++6; do
  check "depends on $library, as dpkg-shlibdeps found" "[[ ', $depends' == *', $library '* ]]"
done

# Errors and warnings fail; the remaining notes are informational (no
# immediate binding, no fortified functions, .comment sections).
# lintian leaves files of its own in its temporary folder: this one goes
# with the work folder.
mkdir "$work/tmp"
TMPDIR="$work/tmp" lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
lintian_status=$?
grep -v 'running with root privileges' "$work/lintian.log"
check "lintian finds no error or warning" "[ $lintian_status -eq 0 ]"

dpkg -x "$deb" "$work/root"
check "the package holds what cmake --install installs, under /usr" \
  "diff <(expected_files '$id' | sed 's#^#usr/#') <(files_under '$work/root')"
check "programs are stripped" "file -b '$work/root/usr/bin/kelvor' | grep -q ', stripped'"
case $arch in
  amd64) machine=x86-64 ;;
  arm64) machine='ARM aarch64' ;;
  *) machine= ;;
esac
check "programs are $arch programs" "file -b '$work/root/usr/bin/kelvor' | grep -q '$machine'"

check_command_lines "$work/root/usr" "$version"

check_show_from_elsewhere "$work/root/usr/bin/kelvor" unpacked

echo "$failures failed checks"
[ $failures -eq 0 ]
