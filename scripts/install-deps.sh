#!/usr/bin/env bash
# Installs the Debian packages Murlo needs to build, run and test.
# Non-interactive; installs only what is missing and does nothing when all is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libwxgtk3.2-dev libcurl4-openssl-dev zlib1g-dev libcanberra-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  python3-pyftpdlib xvfb xauth fonts-ipafont-gothic wx3.2-i18n
  openbox locales-all libx11-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  nginx wget wget2
  xdg-utils shared-mime-info desktop-file-utils libglib2.0-bin man-db groff-base
)

missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
