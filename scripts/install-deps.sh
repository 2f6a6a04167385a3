#!/usr/bin/env bash
# Installs every Debian package the build, the host and the tests need.
# Idempotent: packages already present are left alone.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  cmake make g++ googletest libgtest-dev
  g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth imagemagick x11-utils
  locales fonts-ipafont-gothic
  file
  clang libclang-rt-14-dev
  fp-utils libchm-dev libchm-bin
)
# fp-utils brings chmcmd, the HTML Help compiler (about 200 MB with what it
# pulls in); libchm-dev reads the compiled files back in the help file test,
# libchm-bin (extract_chmLib, enum_chmLib) lets a person look into them.

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  missing=(update-needed)
fi
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

update_indexes() {
  # A mirror caught mid-sync fails one index; the install below still finds
  # the packages in the indexes that did load, and fails itself if not.
  $SUDO apt-get update -q || echo "install-deps: apt-get update reported errors; installing from the indexes it has" >&2
}
install_packages() {
  $SUDO apt-get install -y -q --no-install-recommends "$@"
}

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  update_indexes
  if ! install_packages "${packages[@]}"; then
    sleep 30
    update_indexes
    if ! install_packages "${packages[@]}"; then
      # The 32-bit Wine needs the i386 indexes to match the amd64 ones exactly;
      # while a mirror is out of step only it fails. Everything else is still
      # installed, and the x86 Wine tests report themselves skipped.
      rest=()
      for p in "${packages[@]}"; do [ "$p" = "wine32:i386" ] || rest+=("$p"); done
      install_packages "${rest[@]}"
      if ! install_packages wine32:i386; then
        echo "install-deps: WARNING: the 32-bit Wine (wine32:i386) could not be installed; the x86 Wine tests will be skipped" >&2
      fi
    fi
  fi
fi

# Wine shows the Japanese resources only when the locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
