#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a share of SECONDS
# (default 60 in all), seeded with the shared disk images that fit a floppy.
# Usage: fuzz/run-all.sh [SECONDS]    (FUZZ_BUILD_DIR, TAVO_SHARED_DIR override)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
seconds="${1:-60}"
build="${FUZZ_BUILD_DIR:-$here/../../build-fuzz}"
shared="${TAVO_SHARED_DIR:-$here/../../shared}"
# Each file named *_fuzz.cpp is a target of that name, as the CMake file builds them.
targets=()
for source in "$here"/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
each=$(( seconds / ${#targets[@]} ))
(( each >= 1 )) || each=1

command -v clang++ >/dev/null || { echo "clang++ not found (apt-get install -y clang)" >&2; exit 2; }
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
if ! ninja -C "$build" -j2 "${targets[@]}" >"$build/ninja.log" 2>&1; then
  grep -E 'error|FAILED' "$build/ninja.log" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/seeds"
if [ -d "$shared/disks" ]; then
  # Floppy-sized images only: larger seeds would slow every run.
  find "$shared/disks" -type f \( -name '*.dsk' -o -name '*.do' -o -name '*.po' -o -name '*.img' -o -name '*.2mg' \) \
    -size -145k -exec cp {} "$work/seeds/" \;
fi
printf '\0' > "$work/seeds/empty"
# The nibble and WOZ readers take whole floppies in their own containers.
mkdir -p "$work/floppy-seeds"
if [ -d "$shared/disks/formats" ]; then
  find "$shared/disks/formats" -type f \( -name '*.woz' -o -name '*.nib' -o -name '*.d13' \) -exec cp {} "$work/floppy-seeds/" \;
fi
printf '\0' > "$work/floppy-seeds/empty"
# The BASIC views are seeded with real programs, each behind the selector
# bytes that pick the routine and its arguments.
mkdir -p "$work/program-seeds"
if [ -d "$shared/programs" ]; then
  for program in "$shared"/programs/applesoft/* "$shared"/programs/integer/*; do
    [ -f "$program" ] || continue
    for selector in 0 1 2 3 8 9 11; do
      { printf "\\$(printf '%03o' "$selector")"; cat "$program"; } > "$work/program-seeds/$selector-$(basename "$program")"
    done
  done
fi
printf '\0' > "$work/program-seeds/empty"
# The writer's target reads a list of operations, not an image.
mkdir -p "$work/operation-seeds"
printf '\0\0\0\2\1\0\1\0\1\3\0\2\4\2\2\0' > "$work/operation-seeds/save-rename-lock"
# The colouring scanner reads program text.
mkdir -p "$work/text-seeds"
printf '10 PRINT "HI";X:GOTO 10\r20 DATA 1,"A:B",TO:? ATN(1)\r30 REM "GOTO" ONERR HGR2\r40 HIMEM: 2' \
  > "$work/text-seeds/program"
# The Integer BASIC tokenizer reads Integer BASIC text.
mkdir -p "$work/integer-seeds"
printf '10 DIM A$(9):INPUT "N",A$,N:PRINT A$;N,\r20 IF A$#"Y" AND N THEN 10\n30 FOR I=1 TO 9 STEP 2:POKE -1,PEEK(I):NEXT I\r\n40 REM HI:X\r50 HLIN 1,2 AT 3:GOSUB 10*N' \
  > "$work/integer-seeds/program"
# The language tools read either BASIC's text, the first byte choosing
# which, the next three the caret and the renumbering.
mkdir -p "$work/language-seeds"
{ printf '\0\1\2\3'; cat "$work/text-seeds/program"; printf '\r50 ON X GOTO 10,40:LIST 10-30:DEL 20,30:RUN 10'; } \
  > "$work/language-seeds/applesoft"
{ printf '\1\1\2\3'; cat "$work/integer-seeds/program"; } > "$work/language-seeds/integer"

status=0
for target in "${targets[@]}"; do
  mkdir -p "$work/corpus-$target"
  echo "== $target: ${each}s"
  seeds="$work/seeds"
  [ "$target" = basic_listing_fuzz ] && seeds="$work/program-seeds"
  [ "$target" = colour_scan_fuzz ] && seeds="$work/text-seeds"
  [ "$target" = tokenize_fuzz ] && seeds="$work/text-seeds"
  [ "$target" = integer_tokenize_fuzz ] && seeds="$work/integer-seeds"
  [ "$target" = language_tools_fuzz ] && seeds="$work/language-seeds"
  [ "$target" = prodos_write_fuzz ] && seeds="$work/text-seeds"
  [ "$target" = dos33_write_fuzz ] && seeds="$work/operation-seeds"
  max_len=143515
  case "$target" in woz_fuzz|nibble_fuzz) seeds="$work/floppy-seeds"; max_len=262144 ;; esac
  if ! "$build/$target" "$work/corpus-$target" "$seeds" -max_total_time="$each" -max_len="$max_len" \
       -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 >"$work/$target.log" 2>&1; then
    tail -n 60 "$work/$target.log"
    status=1
  else
    grep -E '^(#[0-9]+.*DONE|Done|stat::number_of_executed_units)' "$work/$target.log" || true
  fi
done
exit $status
