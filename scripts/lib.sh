# Shared by scripts/test and scripts/demo (sourced, not run).

RV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
RV_BUILD="$RV_ROOT/build"
RV_JOBS=$(nproc 2>/dev/null || echo 2)

# The Windows tests run in the 32-bit tree where this machine executes
# 32-bit code. Some virtual machines cannot (their kernels refuse i386
# programs); there Wine runs the same sources built for x86-64 instead, and
# the 32-bit plug-in is still built and checked without running it.
rv_can_run_i386() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

rv_windows_arch() {
  if rv_can_run_i386; then echo i686; else echo x86_64; fi
}

rv_wine_loader() {
  case "$1" in
    i686) echo /usr/lib/wine/wine ;;
    x86_64) echo /usr/lib/wine/wine64 ;;
  esac
}

rv_tree() {
  case "$1" in
    i686) echo "$RV_BUILD/win32" ;;
    x86_64) echo "$RV_BUILD/win64" ;;
  esac
}

# Configures the Windows tree of an architecture; with wine tests when it is
# the architecture this machine runs.
rv_configure_windows() {
  local arch=$1 run_tests=$2
  local tree wine winearch
  tree=$(rv_tree "$arch")
  wine=$(rv_wine_loader "$arch")
  cmake -S "$RV_ROOT" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$RV_ROOT/cmake/mingw-$arch.cmake" \
    -DRIGVANE_WINE_TESTS="$run_tests" -DRIGVANE_WINE="$wine" \
    -DRIGVANE_WINEPREFIX="$tree/wineprefix" >/dev/null
}

# Wine's environment for an architecture's tree.
rv_wine_env() {
  local arch=$1 tree
  tree=$(rv_tree "$arch")
  export WINEPREFIX="$tree/wineprefix"
  export WINELOADER
  WINELOADER=$(rv_wine_loader "$arch")
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=ja_JP.UTF-8
  if [ "$arch" = i686 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
}

# Creates the prefix once: the first start in a new prefix is slow.
rv_wineboot() {
  local arch=$1
  (
    rv_wine_env "$arch"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine: initialising $WINEPREFIX"
      "$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null
    fi
    if [ "$arch" = i686 ]; then /usr/lib/wine/wineserver32 -w; else /usr/lib/wine/wineserver64 -w; fi
  )
}
