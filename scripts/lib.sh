# Shared by the scripts: installs what a fresh Debian 12 machine lacks and
# builds a preset. Sourced, not run.

SNPP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SNPP_PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-liberation
  xvfb xauth
)

snpp_ensure_packages() {
  local missing=()
  for p in "${SNPP_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
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
