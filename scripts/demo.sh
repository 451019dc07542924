#!/usr/bin/env bash
# Sets up and builds everything, starts the logger simulator on a pseudo-terminal
# and the host program with the simulator as COM 1. The host starts with the
# demo's configuration (build/demo.qvh: COM 1 at the simulator's 9600 baud,
# "Advanced User"), so the link comes up without a dialog.
#   ./scripts/demo.sh              in a desktop session
#   ./scripts/demo.sh --offscreen  without a display: runs briefly, saves build/demo.png
set -euo pipefail
cd "$(dirname "$0")/.."
offscreen=0
[ "${1:-}" = "--offscreen" ] && offscreen=1

./scripts/install-deps.sh
cmake -S . -B build -DQV_WERROR=ON
cmake --build build -j2 --target qvhost qvsim

link="$PWD/build/qvsim.tty"
config="$PWD/build/demo.qvh"
# A fresh copy each time: Exit writes the host's state back into it.
cp scripts/demo.qvh "$config"
build/sim/qvsim --link "$link" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

if [ "$offscreen" -eq 1 ]; then
  build/ui/qvhost -platform offscreen --config "$config" --port "COM1=$link" \
    --screenshot build/demo.png
  echo "Saved a picture of the main window to build/demo.png"
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<'MSG'
No display found. Either run the demo in a virtual X server:
    xvfb-run -a ./scripts/demo.sh
or run it headless, which saves a picture of the main window to build/demo.png:
    ./scripts/demo.sh --offscreen
MSG
else
  build/ui/qvhost --config "$config" --port "COM1=$link"
fi
