#!/bin/bash
# Runs a Windows program under Wine with the build tree's private prefix.
# The caller (scripts/test.sh, scripts/run.sh) provides DISPLAY and keeps a
# wineserver running; this wrapper only makes sure the prefix exists.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
: "${TAVO_WINEPREFIX:=$here/../build/wineprefix}"
export WINEPREFIX="$TAVO_WINEPREFIX"
export WINEDEBUG=-all
# No Mono or Gecko: they are never needed and would ask to be downloaded.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    ( flock 9; [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
