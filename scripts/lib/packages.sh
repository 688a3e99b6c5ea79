# shellcheck shell=bash
# Sourced by the scripts: the Debian packages the project needs, one list for
# Debian 12 (bookworm) and 13 (trixie), whose names agree, and the installer.
# shellcheck disable=SC2034  # read by the scripts that source this file

# Building the program, its tests and benchmarks; the Japanese texts want a CJK font.
build_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev libwayland-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libxcb1-dev libxcb-xtest0-dev
  fonts-noto-cjk fonts-dejavu-core
)
# An X desktop of the scripts' own: Xvfb with RandR monitors and openbox.
desktop_packages=(xvfb xauth x11-xserver-utils x11-utils openbox xdotool)
# The rest of the suite: screenshots, the Wayland desktops, the Windows program
# under Wine (its icon made from the SVG one; Xorg for a desktop of several
# monitors that Wine 10 sees), the Debian package, the
# fuzzers and the memory checkers.
test_packages=(
  imagemagick sway xwayland grim wtype gnome-shell mutter dbus-daemon
  g++-mingw-w64-x86-64 wine64 fonts-wine googletest librsvg2-bin icoutils
  xserver-xorg-core xserver-xorg-video-dummy
  dpkg-dev file desktop-file-utils appstream lintian
  clang libclang-rt-dev valgrind
)

# Installs the packages named that are not installed yet, with sudo when not
# run as root. Once scripts/test has installed everything it sets
# QUORVANE_PACKAGES_INSTALLED: then a missing package is an error, so that no
# test installs one while another runs apt-get.
install_missing_packages() {
  local missing=() package sudo=""
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  ((${#missing[@]})) || return 0
  if [ -n "${QUORVANE_PACKAGES_INSTALLED:-}" ]; then
    echo "Not installed: ${missing[*]} (scripts/lib/packages.sh lists what scripts/test installs)" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
