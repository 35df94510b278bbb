#!/usr/bin/env bash
# Builds Tallivoranda when needed and starts it. With no schedule named, opens the example.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh

ensure_packages "${TALLIVORANDA_PACKAGES[@]}"
configure build -DTALLIVORANDA_WERROR=ON
cmake --build build --target tallivoranda tallivoranda-cli -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Start Tallivoranda from a desktop session, or under a virtual"
    echo "display with:  xvfb-run ./start.sh"
    echo "Without a display, use the command-line tool:  build/src/cli/tallivoranda-cli --help"
    exit 1
fi

args=("$@")
if [ ${#args[@]} -eq 0 ] && [ -f examples/spring-league.tvd ]; then
    args=("$PWD/examples/spring-league.tvd")
fi
exec build/src/app/tallivoranda "${args[@]}"
