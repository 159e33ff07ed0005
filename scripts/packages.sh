# Sourced by the start and test scripts: installs the Debian packages the build needs when they
# are missing and we run as root; otherwise names them and goes on.
VALQUOR_PACKAGES=(g++ cmake make pkg-config qt6-base-dev libqt6opengl6-dev libfmt-dev libcli11-dev
                  libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-dejavu-core
                  clang libclang-rt-14-dev)

valquor_install_packages() {
  local missing=() p
  for p in "${VALQUOR_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  if [[ $(id -u) -eq 0 ]]; then
    echo "valquor: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "valquor: missing Debian packages: ${missing[*]} (run as root to install them)" >&2
  fi
}
