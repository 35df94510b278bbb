# Shared by start.sh and test.sh: installs missing Debian packages and configures the builds.

# Everything the builds, the tests and the program need from Debian 12.
TALLIVORANDA_PACKAGES=(
    cmake g++ make pkg-config
    libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-svg-dev libgl-dev
    fonts-liberation2
    xvfb xauth
    python3
)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Please install as root: apt-get install ${missing[*]}" >&2
            return 1
        fi
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure DIR [cmake options...]
configure() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}
