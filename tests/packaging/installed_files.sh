# Shared by the packaging checks (sourced): what an installation holds, and
# the checks that apply to an installation wherever it lies. The sourcing
# script sets $build (the build folder, whose show_facts.sh names the show's
# files), $work (a scratch folder holding an empty folder "elsewhere"),
# and $emulator to run the programs of a cross build (qemu-aarch64 for an
# arm64 build; empty for this machine's own).

failures=0
# Fails (status 1) when the check does, so that a caller can show details.
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); return 1; fi
}

# Every file an installation under a prefix holds, relative to it, sorted.
# $1: the desktop and AppStream id.
expected_files() {
  local id=$1 size
  {
    printf '%s\n' bin/kelvor bin/kelvor-capture bin/kelvor-assets \
      "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
      share/doc/kelvor/copyright share/doc/kelvor/changelog.gz \
      share/man/man6/kelvor.6.gz share/man/man1/kelvor-capture.1.gz share/man/man1/kelvor-assets.1.gz
    for file in $(source "$build/show_facts.sh" && echo "$KELVOR_SHOW_FILES"); do
      echo "share/kelvor/$file"
    done
    for size in 16 22 24 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x${size}/apps/kelvor.png"
    done
  } | LC_ALL=C sort
}

# The files under $1, relative to it, sorted.
files_under() {
  (cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort)
}

# Runs "$@" and keeps its status, stdout and stderr in $ran_status,
# $work/out and $work/err.
run() {
  ran_status=0
  "$@" >"$work/out" 2>"$work/err" || ran_status=$?
}

# The command lines of the three installed programs under prefix $1, from
# a folder that holds none of the show's files. $2: the version.
check_command_lines() {
  local prefix=$1 version=$2 program
  cd "$work/elsewhere"
  run $emulator "$prefix/bin/kelvor" --help
  check "kelvor --help: status 0, usage on stdout, nothing on stderr" \
    "[ $ran_status -eq 0 ] && head -n 1 '$work/out' | grep -q '^Usage: kelvor' && [ ! -s '$work/err' ]"
  check "kelvor --help names every option" \
    "grep -q -- --fullscreen '$work/out' && grep -q -- --version '$work/out'"
  for program in kelvor kelvor-capture kelvor-assets; do
    run $emulator "$prefix/bin/$program" --version
    check "$program --version prints '$program $version'" \
      "[ $ran_status -eq 0 ] && [ \"\$(cat '$work/out')\" = '$program $version' ] && [ ! -s '$work/err' ]"
  done
  run $emulator "$prefix/bin/kelvor" --no-such-option
  check "kelvor with a bad option: status 2, one line on stderr naming it, nothing on stdout" \
    "[ $ran_status -eq 2 ] && [ \$(wc -l < '$work/err') -eq 1 ] && grep -q -- --no-such-option '$work/err' && [ ! -s '$work/out' ]"
  run $emulator "$prefix/bin/kelvor-assets" --icon 40 "$work/icon.png"
  check "the installed kelvor-assets renders an icon" \
    "[ $ran_status -eq 0 ] && file -b '$work/icon.png' | grep -q '^PNG image data, 40 x 40, 8-bit/color RGBA'"
  cd - >/dev/null
}

# The show at $1 under Xvfb (tests/app/show_under_xvfb.sh --installed, at
# $xvfb_show), started from a folder that holds none of its files: it plays,
# Esc ends it, and it writes nothing there. $2 says which show it is. Ends
# the script with 77 (skipped) when there is no Xvfb. A cross build's show
# is not started: under the emulator it cannot open a window here.
check_show_from_elsewhere() {
  local program=$1 which=$2 xvfb_status=0
  if [ -n "$emulator" ]; then
    echo "not run: the $which show itself, which cannot open a window under $emulator"
    return 0
  fi
  bash "$xvfb_show" --installed "$program" "$work/elsewhere" || xvfb_status=$?
  [ $xvfb_status -eq 77 ] && exit 77
  check "the $which show plays from an unrelated folder and Esc ends it" "[ $xvfb_status -eq 0 ]"
  check "the show wrote nothing where it was started" "[ -z \"\$(ls -A '$work/elsewhere')\" ]"
}
