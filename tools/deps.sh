# Sourced by run.sh and test.sh: installs the Debian packages that are missing.
# shellcheck shell=bash

tw_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What the client and tidemend need to build and run.
TW_RUN_PACKAGES=(g++ cmake make pkg-config libx11-dev libxext-dev xvfb)
# What the tests, fuzzers and benchmarks need beyond that.
TW_TEST_PACKAGES=(binutils clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
                  libssl-dev zlib1g-dev xauth x11-utils alsa-oss
                  libxdamage-dev libxtst-dev libpng-dev)
