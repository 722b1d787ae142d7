#!/usr/bin/env bash
# Installs what QelMap needs on Debian 12, builds it, and then either starts the program
# on the default board or runs every test.
#   ./setup.sh run    install, build, start the program in your game folder (never in data/);
#                     ./setup.sh run --restore-defaults puts the default board back first
#   ./setup.sh test   install, build, run every test
#   ./setup.sh build  install and build only
set -euo pipefail
cd "$(dirname "$0")"
what="${1:-build}"
[ $# -gt 0 ] || set -- build
build_dir="${QELMAP_BUILD_DIR:-build}"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libx11-dev xvfb xdotool imagemagick xauth openbox x11-utils desktop-file-utils
          man-db appstream weston xwayland qt6-wayland dbus-daemon at-spi2-core python3-pyatspi dbus-x11
          shared-mime-info libglib2.0-bin chromium)
"$PWD/tools/apt-install.sh" "${packages[@]}"

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

case "$what" in
  run)
    # The launcher plays in the game folder ($XDG_DATA_HOME/qelmap), never in data/.
    shift
    exec "$build_dir/qelmap-launch" "$@"
    ;;
  test)
    cd "$build_dir"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
  build) ;;
  *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac
