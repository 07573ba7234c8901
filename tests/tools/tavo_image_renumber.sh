#!/bin/sh
# tavo-image renumber, end to end: the program on standard output with its
# line ends as they were, the references left named on standard error, and a
# refusal or a file that cannot be read with nothing on standard output.
tool="$1"
d="$(mktemp -d)" || exit 2
trap 'rm -rf "$d"' EXIT
cd "$d" || exit 2
printf '10 GOTO 20\r\n20 ON X GOSUB 10,30\r\n30 GOTO 99\r\n' > game.bas
printf '10 GOTO X*10\n20 GOTO 10\n' > loop.int
mkfifo waiting.bas
step() { "$tool" renumber "$@" >out 2>err; echo "status $? $(tr '\r\n' '|/' < out)"; cat err; }
step --start 100 --step 5 game.bas
step --integer --from 20 --start 15 loop.int
step --start 63990 game.bas
step --step 0 game.bas
step waiting.bas
"$tool" renumber --start x game.bas >out 2>/dev/null; echo "usage $? $(wc -c < out)"
