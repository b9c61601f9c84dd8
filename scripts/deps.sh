#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need,
# only those that are missing. Sourced by run.sh, test.sh and the scripts in
# scripts/; a script that needs more calls morikoyomi_install_packages
# with them.

MORIKOYOMI_PACKAGES=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-svg-dev libgl-dev
  qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont poppler-utils python3
  xvfb xauth
  dpkg-dev file fakeroot lintian desktop-file-utils appstream man-db
)

# The fuzz targets (scripts/fuzz.sh) need clang and its libFuzzer runtime.
MORIKOYOMI_FUZZ_PACKAGES=(clang libclang-rt-dev)

morikoyomi_install_deps() {
  morikoyomi_install_packages "${MORIKOYOMI_PACKAGES[@]}"
}

morikoyomi_install_fuzz_deps() {
  morikoyomi_install_packages "${MORIKOYOMI_FUZZ_PACKAGES[@]}"
}

morikoyomi_install_packages() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
