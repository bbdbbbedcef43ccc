# Shared by scripts/run and scripts/test: installs the Debian packages the build needs.
set -euo pipefail

# Everything needed to build the programs, the tests and the benchmarks; the 3D view's tests run
# on a virtual X display with Mesa's software renderer; the installation's checks validate the menu
# entry, the metadata and the file type, and build the Debian package.
QUENMOOR_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libtinyobjloader-dev libassimp-dev
  qt6-base-dev libqt6opengl6-dev qt6-image-formats-plugins libpng-dev
  xvfb xauth libgl1-mesa-dri
  nodejs
  desktop-file-utils appstream libxml2-utils shared-mime-info man-db dpkg-dev file lintian
)
# The glTF Validator's tests run with Node and install the validator with npm; a Node that
# brings its own npm needs no Debian npm beside it.
command -v npm >/dev/null 2>&1 || QUENMOOR_PACKAGES+=(npm)

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
