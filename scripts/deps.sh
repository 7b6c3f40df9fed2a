#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Orvane
# (MinGW-w64 cross toolchain, Wine, a headless X server, Japanese fonts and
# locale, CUPS with a PDF printer, the help compiler, host-side test tools).
# Safe to run repeatedly: when everything is present it only queries dpkg.
set -euo pipefail

packages=(
  # cross build
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake make
  # host-side unit tests, the fuzz targets (clang with libFuzzer) and the
  # branch coverage of the sanitized unit tests (llvm-cov, llvm-profdata)
  g++ googletest clang libclang-rt-14-dev llvm-14
  # running under Wine without a desktop
  wine wine64 fonts-wine xvfb xauth xdotool x11-utils
  # Wine dlopens these rather than depending on them; without recommends
  # they would be missing: printing (libcups2) and the X11 display driver.
  libcups2 libdbus-1-3 libgnutls30 libxrender1 libxrandr2 libxi6
  libxcursor1 libxfixes3 libxinerama1 libxcomposite1
  # Japanese text
  fonts-ipafont-mincho fonts-ipafont-gothic locales
  # printing to PDF and checking the output
  cups printer-driver-cups-pdf ghostscript poppler-utils imagemagick
  # the help file: compiled by chmcmd, read back by extract_chmLib in the tests
  fp-utils libchm-bin
)
# A benchmark names what only it needs (scripts/deps.sh PACKAGE...).
packages+=("$@")

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "deps.sh: need root or sudo to run: $*" >&2
    exit 1
  fi
}

# dpkg-query prints nothing for packages it has never seen, so compare
# against the full list instead of looking for "not installed" lines.
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null \
  | awk '$1 == "ii" { sub(/:.*/, "", $2); print $2 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps.sh: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Tests run the program with LC_ALL=ja_JP.UTF-8; glibc reports it as ja_JP.utf8.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "deps.sh: generating ja_JP.UTF-8 locale"
  if grep -qE '^#[[:space:]]*ja_JP\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    as_root sed -i -E 's/^#[[:space:]]*(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qE '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen
fi
