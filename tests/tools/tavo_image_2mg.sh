#!/bin/sh
# tavo-image on 2MG images, end to end: the image's own facts, a program put into the
# data area and read back with the header kept, a write-protected image left as it was.
tool="$1"
d="$(mktemp -d)" || exit 2
trap 'rm -rf "$d"' EXIT
cd "$d" || exit 2
printf '10 PRINT "HI"\r\n' > hi.bas
step() { "$tool" "$@" 2>&1; echo "$1 $?"; }
"$tool" info "$2/ciderpress2/prodos-disk.2mg" | grep -c -e '^Format: 2MG$' -e '^Write-protected: Yes$' -e '^Creator: CdrP$' -e '^DOS volume: 200$'
cp "$2/ciderpress2/dos33-disk.2mg" d.2mg && cp "$2/ciderpress2/prodos-disk.2mg" p.2mg && chmod u+w d.2mg p.2mg
step put d.2mg hi.bas
cmp -n 64 d.2mg "$2/ciderpress2/dos33-disk.2mg" && "$tool" show d.2mg HI | tr '\r' '|'; echo
step put p.2mg hi.bas
cmp -s p.2mg "$2/ciderpress2/prodos-disk.2mg" && echo "unchanged"
