#!/usr/bin/env bash
# cmake --install into a scratch prefix: exactly the expected files, a desktop
# entry, AppStream data and manual pages that their validators accept, icons
# of the sizes their folders name, one version everywhere, and the installed
# show started from a folder that holds none of its files.
# Usage: check_installed.sh BUILD_DIR VERSION APP_ID SHOW_UNDER_XVFB [EMULATOR]
set -uo pipefail
build=$1 version=$2 id=$3 xvfb_show=$4
# A cross build's programs run through EMULATOR (qemu-aarch64 for arm64).
emulator=${5:-}
for tool in desktop-file-validate appstreamcli man file; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed (scripts/packages.sh test installs it)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/elsewhere"
source "$(dirname "$0")/installed_files.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1
check "cmake --install into a scratch prefix" "[ $? -eq 0 ]" || cat "$work/install.log"
check "the prefix holds exactly the expected files" "diff <(expected_files '$id') <(files_under '$prefix')"

run desktop-file-validate "$prefix/share/applications/$id.desktop"
check "desktop-file-validate accepts the desktop entry, with no hint" "[ $ran_status -eq 0 ] && [ ! -s '$work/out' ] && [ ! -s '$work/err' ]"
cat "$work/out" "$work/err"
check "the desktop entry starts kelvor and shows its icon" \
  "grep -qx 'Exec=kelvor' '$prefix/share/applications/$id.desktop' && grep -qx 'Icon=kelvor' '$prefix/share/applications/$id.desktop'"

# The build machines have no internet: --no-net leaves out the checks that
# fetch the web site and the screenshot named in the metadata; everything
# else is checked, pedantic hints included.
run appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
check "appstreamcli validate accepts the AppStream data" "[ $ran_status -eq 0 ]"
cat "$work/out" "$work/err"
run appstreamcli validate-tree --no-net "$prefix"
check "appstreamcli validate-tree accepts the installed tree (desktop entry and icon found)" "[ $ran_status -eq 0 ]"
check "the AppStream release is the project version" \
  "grep -q '<release version=\"$version\"' '$prefix/share/metainfo/$id.metainfo.xml'"

for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/kelvor.png
  check "icon ${size}x${size} is a ${size}x${size} RGBA PNG" \
    "file -b '$icon' | grep -q '^PNG image data, $size x $size, 8-bit/color RGBA'"
done

# As lintian renders them: any warning from man or groff is a fault.
for page in man6/kelvor.6.gz man1/kelvor-capture.1.gz man1/kelvor-assets.1.gz; do
  run env LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$prefix/share/man/$page"
  check "man renders $page without a warning" "[ $ran_status -eq 0 ] && [ ! -s '$work/err' ] && [ -s '$work/out' ]"
  cat "$work/err"
  check "$page names version $version" "zcat '$prefix/share/man/$page' | head -n 1 | grep -q 'KELVOR $version'"
done

check_command_lines "$prefix" "$version"

check_show_from_elsewhere "$prefix/bin/kelvor" installed

echo "$failures failed checks"
[ $failures -eq 0 ]
