# Shared by run.sh and test.sh: the packages of a build and the configure step.
QZ_BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-dejavu-core qt6-translations-l10n xvfb xauth
  poppler-utils dpkg-dev file desktop-file-utils)

qz_configure() {  # qz_configure BUILD_DIR [cmake args...]
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@"
  fi
}
