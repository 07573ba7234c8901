#!/bin/bash
# A picture of the open dialog listing a disk image's files, taken on a
# private display: scripts/shot-open-dialog.sh [IMAGE] (by default a ProDOS
# image from ../shared/disks). Prints where the picture is.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
TAVO_SHOT_IMAGE="${1:-$here/../../shared/disks/ciderpress2/simple-dir-test.po}" DISPLAY= exec "$here/run.sh"
