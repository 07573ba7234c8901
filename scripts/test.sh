#!/bin/bash
# Builds both trees and runs every test: the portable core natively (with
# the sanitizers), the Windows programs under Wine on a private display.
set -uo pipefail
WERROR=ON
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/printer.sh"

install_packages "${FUZZ_PACKAGES[@]}" || exit 1
trap 'stop_session; stop_printer' EXIT

start=$SECONDS
build_native || exit 1
build_windows || exit 1

passed=0
failed=0
run_ctest() {
    local dir="$1" log
    log="$(mktemp)"
    ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 300 2>&1 | tee "$log"
    local line
    line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
    if [ -z "$line" ]; then
        failed=$((failed + 1))
    else
        local total bad
        bad="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
        total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")"
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    rm -f "$log"
}

echo "== Portable core (native) =="
run_ctest "$BUILD/native"

echo "== Fuzzing, 60 seconds in all =="
if FUZZ_BUILD_DIR="$BUILD/fuzz" bash "$ROOT/fuzz/run-all.sh" 60; then
    passed=$((passed + 1))
else
    echo "fuzzing found a fault"
    failed=$((failed + 1))
fi

echo "== Windows programs (Wine) =="
# Tests always get a display of their own, so they neither disturb nor
# depend on the user's desktop.
start_xvfb || exit 1
# The printing tests skip themselves when the PDF printer cannot be set up.
start_printer || echo "no test printer: the printing tests are skipped"
start_wine
run_ctest "$BUILD/windows"
stop_session
stop_printer

echo "Test time: $((SECONDS - start)) s"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
