# Shared by run.sh and test.sh: packages, builds, and a private Wine session
# (prefix inside the build tree, an Xvfb of our own when needed) that is
# ended exactly as it was started.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TAVO_BUILD:-$ROOT/build}"  # another tree, for parallel work
export TAVO_WINEPREFIX="$BUILD/wineprefix"

# fp-utils brings chmcmd, which compiles the help file.
PACKAGES=(cmake ninja-build g++ python3 mame-tools g++-mingw-w64-x86-64-posix wine wine64 xvfb googletest imagemagick xauth fp-utils fonts-liberation)
# The fuzz targets are built with clang and its libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The test command's builds treat warnings as errors; run.sh's build does not.
WERROR="${WERROR:-OFF}"

build_native() {
    cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DTAVO_WERROR="$WERROR" >/dev/null
    cmake --build "$BUILD/native" -j "$(nproc)"
}

# build_windows [TREE [BUILD_TYPE [TARGET...]]]: the MinGW-w64 tree, by
# default build/windows with every target.
build_windows() {
    local tree="${1:-$BUILD/windows}" type="${2:-RelWithDebInfo}"
    shift $(( $# < 2 ? $# : 2 ))
    cmake -S "$ROOT" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
          -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DTAVO_WERROR="$WERROR" >/dev/null
    cmake --build "$tree" -j "$(nproc)" ${1:+--target "$@"}
}

XVFB_PID=""
WINE_STARTED=""

# Starts Xvfb on a free display number (Xvfb picks it and tells us).
start_xvfb() {
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$number"
    export XENVIRONMENT="$ROOT/scripts/x-resources"
}

# A persistent wineserver for the prefix keeps each Wine start fast.
start_wine() {
    export WINEPREFIX="$TAVO_WINEPREFIX" WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv,wineoss.drv=d"
    [ -f "$WINEPREFIX/.tavo-ready" ] || echo "Creating the Wine prefix in $WINEPREFIX"
    "$ROOT/cmake/wine-run.sh" --prefix-only
    wineserver -p >/dev/null 2>&1 </dev/null
    # Wine's own services start with the first program of a session and
    # inherit its output; started here, they never hold a test's output
    # pipe open (ctest would wait for it to close).
    "$ROOT/cmake/wine-run.sh" wineboot >/dev/null 2>&1 </dev/null
    WINE_STARTED=1
}

stop_session() {
    if [ -n "$WINE_STARTED" ]; then
        WINEPREFIX="$TAVO_WINEPREFIX" wineserver -k 2>/dev/null || true
        WINEPREFIX="$TAVO_WINEPREFIX" wineserver -w 2>/dev/null || true
        WINE_STARTED=""
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
