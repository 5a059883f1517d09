# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
set -euo pipefail

KTD_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KTD_BUILD="${KTD_BUILD:-$KTD_ROOT/build}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$KTD_ROOT}"

# qt6-translations-l10n: German texts of Qt's standard dialogs; libxkbcommon-dev: Qt's CMake files
# look for it (without it configuring reports "Could NOT find XKB"); file: the Debian package's
# dependency search; desktop-file-utils, appstream: validators of the desktop entry and metainfo;
# libhamlib-utils: rigctld with its dummy transceiver, which a keyer test talks to.
KTD_PACKAGES=(build-essential cmake pkg-config ccache qt6-base-dev libsqlite3-dev zlib1g-dev
  libhamlib-dev hamradio-files googletest libgtest-dev libbenchmark-dev qpdf poppler-utils
  libhamlib-utils qt6-translations-l10n libxkbcommon-dev file desktop-file-utils appstream)

# Only scripts/fuzz and CI need these: clang with its libFuzzer runtime.
KTD_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

ktd_install_missing() {
  local missing=()
  for p in "${KTD_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

ktd_configure() {
  cmake -S "$KTD_ROOT" -B "$KTD_BUILD" -DCMAKE_BUILD_TYPE="${KTD_BUILD_TYPE:-RelWithDebInfo}" "$@"
}

# ktd_build [TARGET ...]: builds the given targets, or everything.
ktd_build() {
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$KTD_BUILD" -j2 "${targets[@]}"
}
