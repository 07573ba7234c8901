#!/bin/bash
# Builds TAVO.exe and starts it under Wine with an example program open
# (examples/lander.bas, named on TAVO's command line; a .bas name opens as a
# coloured Applesoft document). With a display the window opens there;
# without one TAVO runs on a private virtual display in a fresh start
# folder, a screenshot is taken once the program is shown, and TAVO is closed.
set -uo pipefail
source "$(dirname "$0")/common.sh"

install_packages || exit 1
trap stop_session EXIT
build_windows || exit 1

# TAVO_SHOT_PROGRAM names another program to open, TAVO_SHOT_COMMAND a
# command id to send once it is open (scripts/shot-check-program.sh).
example="${TAVO_SHOT_PROGRAM:-$ROOT/examples/lander.bas}"

if [ -n "${DISPLAY:-}" ]; then
    start_wine
    cd "${TAVO_START_DIR:-$HOME}" && wine "$BUILD/windows/TAVO.exe" "$(winepath -w "$example")"
    exit 0
fi

start_xvfb || exit 1
start_wine
folder="$(mktemp -d /tmp/tavo-run.XXXXXX)"
shot="$folder/tavo-screenshot.png"
# TAVO_SHOT_IMAGE names a disk image: the picture then shows the open dialog
# listing it (scripts/shot-open-dialog.sh).
shot_args=()
if [ -n "${TAVO_SHOT_IMAGE:-}" ]; then
    cp "$TAVO_SHOT_IMAGE" "$folder/" || exit 1
    shot_args=("$(basename "$TAVO_SHOT_IMAGE")")
else
    cp "$example" "$folder/" || exit 1
    shot_args=(--open "$(basename "$example")")
    [ -n "${TAVO_SHOT_COMMAND:-}" ] && shot_args+=(--command "$TAVO_SHOT_COMMAND")
fi
# tavo-shot starts TAVO there, says "ready" once the frame is up, and closes
# it with WM_CLOSE when the picture has been taken.
( cd "$folder" && wine "$BUILD/windows/tools/tavo-shot.exe" "$BUILD/windows/TAVO.exe" "shot-taken" "${shot_args[@]}" \
      >"$folder/tavo-shot.log" 2>&1 ) &
shot_pid=$!
for _ in $(seq 1 600); do
    grep -q ready "$folder/tavo-shot.log" 2>/dev/null && break
    kill -0 "$shot_pid" 2>/dev/null || break
    sleep 0.1
done
if ! grep -q ready "$folder/tavo-shot.log" 2>/dev/null; then
    cat "$folder/tavo-shot.log" >&2
    exit 1
fi
import -window root "$shot"
touch "$folder/shot-taken"
wait "$shot_pid"
code=$?
rm -f "$folder/shot-taken" "$folder/tavo-shot.log"
echo "Start folder: $folder"
echo "Screenshot: $shot"
exit "$code"
