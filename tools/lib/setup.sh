# Shared set-up for the tools: install missing Debian packages, configure and build.
# Sourced by tools/test, tools/editor and tools/fuzz.

REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

CE_PACKAGES=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libwxgtk3.2-dev libcairo2-dev libpango1.0-dev xvfb xauth ccache lld xdotool imagemagick
  libcli11-dev)

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

# Compilations are cached across build folders and clones of the repository: paths
# under the repository are hashed relative to it.
export CCACHE_BASEDIR="$REPO_ROOT"
export CCACHE_NOHASHDIR=1
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

build_tool_options() {
  command -v ccache >/dev/null && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  command -v ld.lld >/dev/null && echo "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"
  return 0
}

# configure_and_build BUILD_DIR [cmake options...]; CE_TARGETS, when set, limits what is
# built (set and empty: configure only).
configure_and_build() {
  local dir=$1
  shift
  # shellcheck disable=SC2046
  cmake -S "$REPO_ROOT" -B "$REPO_ROOT/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo $(build_tool_options) "$@" >/dev/null
  local targets=()
  local target
  for target in ${CE_TARGETS:-}; do targets+=(--target "$target"); done
  if [ -n "${CE_TARGETS+set}" ] && [ ${#targets[@]} -eq 0 ]; then return 0; fi
  cmake --build "$REPO_ROOT/$dir" -j "$(nproc)" "${targets[@]}"
}
