# Sourced by the start, test and package scripts: installs the Debian packages the build needs
# when they are missing and we run as root; otherwise names them and goes on.
VALQUOR_PACKAGES=(g++ cmake make pkg-config qt6-base-dev libqt6opengl6-dev qt6-charts-dev
                  libfmt-dev libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation
                  fonts-dejavu-core clang libclang-rt-14-dev desktop-file-utils appstream librsvg2-bin)
# What scripts/package needs besides: Debian's build flags and dpkg-shlibdeps, and lintian.
VALQUOR_PACKAGE_TOOLS=(dpkg-dev lintian)

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
