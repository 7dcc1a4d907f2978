# Shared by the scripts: installs what a fresh Debian 12 machine lacks and
# builds a preset. Sourced, not run.

SNPP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SNPP_PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-liberation
  xvfb xauth x11-utils
  dpkg-dev file desktop-file-utils appstream man-db lintian
)

# The Windows cross-build and its tests under Wine.
SNPP_WINDOWS_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix mingw-w64-tools googletest
  wine64 wine fonts-wine imagemagick
  nsis zip unzip binutils binutils-mingw-w64-x86-64
  g++ xvfb xauth xdotool x11-utils
)

# Reading the program through the desktop's accessibility bus.
SNPP_A11Y_PACKAGES=(
  python3-pyatspi at-spi2-core dbus xvfb xauth xdotool
)

# snpp_ensure_packages [PACKAGE...]: the given ones, or SNPP_PACKAGES.
snpp_ensure_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${SNPP_PACKAGES[@]}")
  local missing=()
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  # The scripts install as root; another user goes through sudo, which a
  # fresh machine may not have.
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing Debian packages: ${missing[*]}" >&2
      echo "Install them as root (apt-get install ${missing[*]}), or run this as root." >&2
      return 1
    fi
    sudo="sudo"
  fi
  local log
  log=$(mktemp)
  echo "Missing Debian packages: ${missing[*]}"
  echo "  updating the package lists (apt-get update)"
  if ! $sudo apt-get update -qq >"$log" 2>&1; then
    cat "$log" >&2; rm -f "$log"; return 1
  fi
  echo "  installing them and what they need (apt-get install):"
  # apt's own progress bars mean nothing in a log; one line per package
  # fetched and set up shows that it moves and what lands on the machine.
  if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}" 2>&1 |
      tee "$log" | sed -un \
        -e 's/^Get:[0-9]* [^ ]* [^ ]* [^ ]* \([^ ]*\) [^ ]* \([^ ]*\) \[\(.*\)\]$/    fetched \1 \2 (\3)/p' \
        -e 's/^Setting up \([^ ]*\) (\([^)]*\)).*/    set up  \1 \2/p'; then
    tail -n 20 "$log" >&2; rm -f "$log"; return 1
  fi
  rm -f "$log"
  echo "  done"
}

# snpp_port_in_use PORT: something listens on 127.0.0.1:PORT.
snpp_port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# snpp_free_port FIRST prints FIRST, or the first port after it that nothing
# listens on.
snpp_free_port() {
  local port=$1
  while snpp_port_in_use "$port"; do port=$((port + 1)); done
  echo "$port"
}

# snpp_build PRESET [extra cmake -D options...] [--target TARGET...]
# Without targets, everything, going on past a failure so that one run shows
# them all. As many jobs as the machine has CPUs (ninja on its own runs
# more: 3 on 2).
snpp_build() {
  local preset=$1 options=() build=(-- -k 0)
  shift
  while [ $# -gt 0 ] && [ "$1" != --target ]; do options+=("$1"); shift; done
  [ $# -eq 0 ] || build=("$@")
  # Configuring again is quick and puts the preset's options back over any
  # left in the cache by hand.
  cd "$SNPP_ROOT" &&
    cmake --preset "$preset" "${options[@]}" >/dev/null &&
    cmake --build --preset "$preset" -j "$(nproc)" "${build[@]}"
}

# snpp_quietly COMMAND...: runs it in a subshell; its output shows only when
# it fails.
snpp_quietly() {
  local log status=0
  log=$(mktemp)
  ("$@") >"$log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || cat "$log" >&2
  rm -f "$log"
  return "$status"
}

# A Wine prefix of the Windows build's own, started for a test run. The null
# graphics driver gives hidden windows without a display.
snpp_wine_start() {
  export WINEPREFIX="$SNPP_ROOT/build/windows/wineprefix" WINEDEBUG=-all
  unset DISPLAY
  snpp_wine_new_prefix 'HKCU\Software\Wine\Drivers' Graphics null
  snpp_wine_up
}

# snpp_wine_new_prefix KEY NAME DATA makes $WINEPREFIX once (a file in it
# notes that it is ready), with one value of Wine's own set in its registry,
# and puts the program's faces into it. Leaves no server running.
snpp_wine_new_prefix() {
  if [ ! -f "$WINEPREFIX/.snpp-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    (unset DISPLAY; timeout 300 wineboot -i </dev/null >/dev/null 2>&1)
    timeout 60 wine reg add "$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1
    snpp_wine_stop
    touch "$WINEPREFIX/.snpp-ready"
  fi
  snpp_wine_fonts
}

# The program's faces ("MS Sans Serif", Tahoma) from fonts-wine, copied to
# where Wine looks for them: Debian's Wine does not find them where the
# package puts them, and would draw every window in another face.
snpp_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [ -f "$fonts/ms_sans_serif.ttf" ] && return 0
  mkdir -p "$fonts"
  cp $(dpkg -L fonts-wine | grep -E '\.(fon|ttf)$') "$fonts/"
}

# Starts the prefix's server and Wine's helper processes with their output
# detached: started by the first program run under a pipe (CTest's, a
# script's) instead, they would inherit it and hold it open. A server left
# running for this prefix (an earlier run, a check by hand) serves as well;
# -p then says so with status 2.
snpp_wine_up() {
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends the prefix's server and all that runs in it, and waits until it has.
snpp_wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# The prefix for what is seen on screen (screenshots, the keyboard-driven
# test) and for the installer test: Wine's X11 driver, the program's faces
# from fonts-wine where Wine looks for them, and Wine drawing caption and
# frame itself, as no window manager runs under Xvfb. Colours stay Wine's.
# snpp_wine_x11_prefix [DPI] exports WINEPREFIX; DPI (default 96) is the
# screen's LogPixels, 192 for a screen at 200 %. Leaves no server running.
snpp_wine_x11_prefix() {
  local dpi=${1:-96}
  export WINEPREFIX=${SNPP_WINE_X11_PREFIX:-$SNPP_ROOT/build/windows/wineprefix-x11} WINEDEBUG=-all
  snpp_wine_new_prefix 'HKCU\Software\Wine\X11 Driver' Managed N
  # Read by the next server only; noted in a file so that a run at the
  # usual scale costs no extra start of Wine.
  if [ "$(cat "$WINEPREFIX/.snpp-dpi" 2>/dev/null)" != "$dpi" ]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      </dev/null >/dev/null 2>&1
    snpp_wine_stop
    echo "$dpi" >"$WINEPREFIX/.snpp-dpi"
  fi
}

# The Linux build of the SNPP test server, which the keyboard-driven test of
# the Windows program pages over loopback.
snpp_build_host_test_server() {
  snpp_quietly snpp_build host-tools --target snpp-test-server
}
