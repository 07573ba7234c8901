#!/bin/bash
# Runs a Windows program under Wine with the build tree's private prefix,
# creating the prefix on first use. The caller (scripts/test.sh,
# scripts/run.sh) provides DISPLAY and keeps a wineserver running.
# With --prefix-only it only makes sure the prefix exists.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
: "${TAVO_WINEPREFIX:=$here/../build/wineprefix}"
export WINEPREFIX="$TAVO_WINEPREFIX"
export WINEDEBUG=-all
# No Mono or Gecko (they would ask to be downloaded) and no sound: on a
# machine without a sound card every beep waits for the audio driver.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv,wineoss.drv=d"

create_prefix() {
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # The test programs' windows are not handed to a window manager: there
    # is none on a virtual display, and Wine would wait two seconds for it
    # each time a box closes. TAVO.exe itself stays an ordinary managed window.
    for program in win_tests.exe standin_emulator.exe; do
        wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$program\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
    done
    # R: is a drive root of our own, for starting where the current
    # directory already ends with a backslash.
    mkdir -p "$WINEPREFIX/../drive-r"
    ln -sfn "$WINEPREFIX/../drive-r" "$WINEPREFIX/dosdevices/r:"
    # A plain Wine has no Courier New, and its stand-in is proportional:
    # BASIC columns would not line up. Liberation Mono has Courier New's widths.
    wine reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
    echo "$prefix_version" >"$WINEPREFIX/.tavo-ready"
}

# Raised whenever create_prefix gains a step, so older prefixes take it too.
prefix_version=2
prefix_ready() { [ "$(cat "$WINEPREFIX/.tavo-ready" 2>/dev/null)" = "$prefix_version" ]; }
if ! prefix_ready; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    ( flock 9; prefix_ready || create_prefix ) 9>"$WINEPREFIX.lock"
fi
[ "${1:-}" = "--prefix-only" ] && exit 0
# Wine's desktop process is started by whichever program first opens a
# window, inherits that program's output and lives on while other programs
# use the desktop. Under a test runner, which reads the output through pipes
# until every writer has closed them, a finished test would wait for it. So
# when the output is a pipe, the program writes into files, passed on when
# it ends.
if [ -p /dev/stdout ] || [ -p /dev/stderr ]; then
    out="$(mktemp)" err="$(mktemp)"
    trap 'rm -f "$out" "$err"' EXIT
    wine "$@" >"$out" 2>"$err" && status=0 || status=$?
    cat "$out"
    cat "$err" >&2
    exit "$status"
fi
exec wine "$@"
