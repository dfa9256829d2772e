# Shared by the scripts: the Debian packages Kavo9 needs and the build tree in build/.
#   install_packages   installs the packages that are missing (nothing to do on a second run)
#   configure_build    configures build/ once (Ninja; warnings are errors on CI)
packages=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev qt6-svg-dev libgl1-mesa-dev
  libsqlite3-dev nlohmann-json3-dev libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-wqy-microhei
)

install_packages() {
  local missing=() p sudo=""
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" = 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_build() {
  local werror=OFF
  [ "${CI:-}" = true ] && werror=ON
  if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DKAVO9_WERROR=$werror >/dev/null
  fi
}
