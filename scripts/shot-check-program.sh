#!/bin/bash
# A picture of Check Program's results over a program with problems of
# several kinds, taken on a private display: scripts/shot-check-program.sh
# [PROGRAM.bas] (by default examples/check-me.bas). Prints where it is.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
TAVO_SHOT_PROGRAM="${1:-$here/../examples/check-me.bas}" TAVO_SHOT_COMMAND=52 DISPLAY= exec "$here/run.sh"
