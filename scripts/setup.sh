#!/usr/bin/env bash
# Installs every Debian package the project needs to build and test. Idempotent:
# packages already present are left alone and apt is only asked when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qtbase5-private-dev
  libicu-dev libpoppler-qt5-dev
  # libwmf's link line names -ljpeg, yet Debian's libwmf-dev does not depend on libjpeg-dev.
  libwmf-dev libjpeg-dev
  fonts-urw-base35 fonts-liberation2 fonts-dejavu-core
  # pdftoppm: the rtfdoc tests check that the PDFs it writes open and render.
  poppler-utils
  # cpack -G DEB: dpkg-shlibdeps (dpkg-dev) turns the libraries the tools and modules link
  # into package dependencies; file tells CPack which files to ask it about.
  dpkg-dev file
  # libFuzzer: with it the sanitized build is a clang build holding the fuzz target as well.
  # Its runtime names functions with llvm-symbolizer (package llvm): without it every program
  # warns on stderr as the leak suppressions are matched, and reports show bare addresses.
  clang libclang-rt-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >&2
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
