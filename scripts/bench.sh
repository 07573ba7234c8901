#!/bin/bash
# Builds and runs the benchmarks: the portable core's natively, the
# editor's colouring, opening and printing under Wine on a private display.
# Prints figures only.
set -uo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/printer.sh"

install_packages || exit 1
trap 'stop_session; stop_printer' EXIT
# Both trees are Release builds; the native one without the tests' sanitizers.
cmake -S "$ROOT" -B "$BUILD/bench" -G Ninja -DTAVO_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build "$BUILD/bench" --target basic_listing_bench disk_bench image_write_bench nibble_bench language_bench >/dev/null || exit 1
build_windows "$BUILD/bench-windows" Release colour_bench open_bench check_bench renumber_bench print_bench >/dev/null || exit 1

echo "== BASIC listings =="
"$BUILD/bench/tools/basic_listing_bench"
echo "== Renumbering, keyword help and completion =="
"$BUILD/bench/tools/language_bench"
echo "== Disk images =="
"$BUILD/bench/tools/disk_bench"
echo "== Floppies in nibbles and bit streams =="
"$BUILD/bench/tools/nibble_bench"
echo "== Writing into a disk image =="
"$BUILD/bench/tools/image_write_bench"
echo "== Applesoft colouring in the editor (Wine) =="
start_xvfb || exit 1
# The print bench skips itself when the printer cannot be set up.
start_printer || echo "no test printer"
start_wine
"$ROOT/cmake/wine-run.sh" "$BUILD/bench-windows/tools/colour_bench.exe"
echo "== Opening programs from a disk image (Wine) =="
"$ROOT/cmake/wine-run.sh" "$BUILD/bench-windows/tools/open_bench.exe"
echo "== Check Program, keyword help and completion (Wine) =="
"$ROOT/cmake/wine-run.sh" "$BUILD/bench-windows/tools/check_bench.exe"
echo "== Renumber (Wine) =="
"$ROOT/cmake/wine-run.sh" "$BUILD/bench-windows/tools/renumber_bench.exe"
echo "== Printing ten pages to the PDF printer (Wine) =="
# Unmanaged windows, as for the tests (cmake/wine-run.sh): there is no window
# manager on the virtual display, and Wine would wait two seconds for one
# when the print dialog closes.
"$ROOT/cmake/wine-run.sh" reg add 'HKCU\Software\Wine\AppDefaults\print_bench.exe\X11 Driver' \
    /v Managed /d N /f >/dev/null 2>&1
"$ROOT/cmake/wine-run.sh" "$BUILD/bench-windows/tools/print_bench.exe"
