#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests share (WINEPREFIX), once: a fresh
# prefix takes Wine tens of seconds, and tests that start it at the same
# moment would race. Without Mono and Gecko, which Wine would offer to
# download and the programs do not use.
set -euo pipefail
command -v wine >/dev/null 2>&1 || { echo "FAIL: wine is not installed (scripts/windows.sh installs it)" >&2; exit 1; }
export WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  within 60 "Wine to make its prefix (wineboot --init)" sh -c 'exec wine wineboot --init > /dev/null 2>&1'
fi
within 30 "the Wine server to end" wineserver --wait
[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: Wine made no prefix in $WINEPREFIX" >&2; exit 1; }
echo "Wine prefix ready: $WINEPREFIX ($(wine --version))"
