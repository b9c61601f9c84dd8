#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need,
# only those that are missing. Sourced by run.sh and test.sh.

MORIKOYOMI_PACKAGES=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont poppler-utils python3
  xvfb xauth
)

morikoyomi_install_deps() {
  local missing=()
  local p
  for p in "${MORIKOYOMI_PACKAGES[@]}"; do
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
