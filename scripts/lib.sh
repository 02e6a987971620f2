# Shared by the scripts: the project's root and the Debian packages it needs.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

# What building and testing need on a fresh Debian 12 machine.
# fonts-dejavu-core is the plot's font (fontconfig brings it along with Qt; named, it cannot go),
# and its four Sans and Sans Mono files are the only fonts the window tests draw with. The README's
# examples run under bash with coreutils, grep and iconv, which every Debian system has.
BUILD_PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core)
# What the fuzz targets need besides: clang and its libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Installs those of the given Debian packages that are missing.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$ROOT/$dir" -Wno-dev "$@" >/dev/null
  cmake --build "$ROOT/$dir" -j"$JOBS"
}

# What the pages need besides: Emscripten for the WebAssembly modules.
WEB_PACKAGES=(emscripten)
# What the pages' browser tests need: Debian's Chromium.
BROWSER_PACKAGES=(chromium fonts-dejavu-core)

# Node.js and npm, from Debian when the machine has none.
ensure_node() {
  command -v node >/dev/null && command -v npm >/dev/null && return 0
  ensure_packages nodejs npm
}

# Emscripten's helper scripts look for the JavaScript modules Debian installs
# with it (acorn ...) in Debian's folder of Node modules.
emscripten_env() {
  local acorn
  acorn="$(dpkg -L node-acorn 2>/dev/null | grep -m1 '/acorn$' || true)"
  export NODE_PATH="${acorn:+$(dirname "$acorn")}${NODE_PATH:+:$NODE_PATH}"
}

# build_web_modules: the modules midi_module.js and finder_module.js in build-web/web/.
build_web_modules() {
  emscripten_env
  emcmake cmake -S "$ROOT" -B "$ROOT/build-web" -Wno-dev -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$ROOT/build-web" -j"$JOBS" --target midi_module finder_module
}

# puppeteer-core, at the version web/package-lock.json pins, for the browser tests.
ensure_web_test_packages() {
  [ -d "$ROOT/web/node_modules/puppeteer-core" ] && return 0
  (cd "$ROOT/web" && npm ci --no-audit --no-fund)
}
