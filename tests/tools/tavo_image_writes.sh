#!/bin/sh
# tavo-image's writing, end to end: new images, programs saved and read back
# (by floptool too, a ProDOS reader written by others, from Debian's
# mame-tools), and refused changes that leave the image byte for byte.
tool="$1"
d="$(mktemp -d)" || exit 2
trap 'rm -rf "$d"' EXIT
cd "$d" || exit 2
printf '10 HOME\r\n20 PRINT "HELLO"\r\n' > hello.bas
printf '10 PRINT "HI"\n20 GOTO 10\n' > loop.int
head -c 150000 /dev/zero > big.bin
step() { "$tool" "$@" 2>&1; echo "$1 $?"; }
unchanged() { cmp -s "$1" before && echo "unchanged"; }

step new d.do --dos33
step put d.do hello.bas
step put d.do loop.int
"$tool" catalog d.do | cut -f2-4
cp d.do before; step put d.do hello.bas; unchanged d.do
cp d.do before; step put d.do big.bin; unchanged d.do
step lock d.do HELLO
cp d.do before; step delete d.do HELLO; unchanged d.do
step unlock d.do HELLO
step rename d.do HELLO GREETING
"$tool" show d.do GREETING | tr "\r" "|"; echo

step new p.po --prodos --name tavo.test
step mkdir p.po /TAVO.TEST/SUB
step put p.po hello.bas /TAVO.TEST/SUB/HELLO
floptool hdread prodos p.po SUB/HELLO read.bin >/dev/null 2>&1
"$tool" tokenize hello.bas | cmp -s - read.bin && echo "floptool reads it back"
cp p.po before; step delete p.po /TAVO.TEST/SUB; unchanged p.po
# A write that fails part way: the file-size limit stops the new image at 100 KB.
cp p.po before; (trap '' XFSZ; ulimit -f 100; step put p.po hello.bas /TAVO.TEST/MORE); unchanged p.po
chmod a-w p.po; cp p.po before; step delete p.po /TAVO.TEST/SUB/HELLO; unchanged p.po
step check p.po
cp d.do broken.do && printf '\377\377' | dd of=broken.do bs=1 seek=$((17 * 4096 + 0x38 + 4 * 18)) conv=notrunc 2>/dev/null
step check broken.do
ls | tr '\n' ' '
