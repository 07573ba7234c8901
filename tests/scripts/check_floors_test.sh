#!/bin/sh
# The floors check on a small tree of its own: core/ including a file of the
# shell and a Windows header, calling up into the shell, and two shell files
# that call each other.
script="$1"
d="$(mktemp -d)" || exit 2
trap 'rm -rf "$d"' EXIT
mkdir -p "$d/core" "$d/shell" "$d/obj/core" "$d/obj/shell"
printf '#include "shell/b.h"\n#include <windows.h>\n' > "$d/core/a.cpp"
printf 'int b(void);\nint d(void) { return b(); }\n' > "$d/core/d.cpp"
printf 'int c(void);\nint b(void) { return c(); }\n' > "$d/shell/b.cpp"
printf 'int b(void);\nint c(void) { return b(); }\n' > "$d/shell/c.cpp"
for f in core/d shell/b shell/c; do cc -x c -c "$d/$f.cpp" -o "$d/obj/$f.cpp.o" || exit 2; done
python3 "$script" --root "$d" --objects "$d/obj" --nm nm
echo "status $?"
