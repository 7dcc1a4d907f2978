# Shared by the scripts: installs what a fresh Debian 12 machine lacks and
# builds a preset. Sourced, not run.

SNPP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SNPP_PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-liberation
  xvfb xauth x11-utils
  dpkg-dev file desktop-file-utils appstream man-db
)

snpp_ensure_packages() {
  local missing=()
  for p in "${SNPP_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
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

# snpp_build PRESET [extra cmake -D options...]
snpp_build() {
  local preset=$1; shift
  cd "$SNPP_ROOT"
  # Configuring again is quick and puts the preset's options back over any
  # left in the cache by hand.
  cmake --preset "$preset" "$@" >/dev/null
  cmake --build --preset "$preset" -- -k 0
}
