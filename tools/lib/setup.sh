# Shared set-up for the tools: install missing Debian packages, configure and build.
# Sourced by tools/test, tools/editor and tools/fuzz.

REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

CE_PACKAGES=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libwxgtk3.2-dev xvfb xauth)

missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' || echo "$pkg"
  done
}

# ensure_packages [PACKAGE...]: the packages named, or the whole project's set.
ensure_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${CE_PACKAGES[@]}")
  local missing
  missing=$(missing_packages "${wanted[@]}")
  [ -z "$missing" ] && return 0
  echo "Installing missing packages: $(echo $missing | tr '\n' ' ')"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}

# configure_and_build BUILD_DIR [cmake options...]; CE_TARGETS limits what is built.
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$REPO_ROOT" -B "$REPO_ROOT/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  local targets=()
  local target
  for target in ${CE_TARGETS:-}; do targets+=(--target "$target"); done
  cmake --build "$REPO_ROOT/$dir" -j "$(nproc)" "${targets[@]}"
}
