#!/usr/bin/env bash
# Sets up and builds everything, starts the logger simulator on a pseudo-terminal
# and the host program with the simulator as COM 1.
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
build/sim/qvsim --link "$link" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

if [ "$offscreen" -eq 1 ]; then
  build/ui/qvhost -platform offscreen --port "COM1=$link" --screenshot build/demo.png
  echo "Saved a picture of the main window to build/demo.png"
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<'MSG'
No display found. Either run the demo in a virtual X server:
    xvfb-run -a ./scripts/demo.sh
or run it headless, which saves a picture of the main window to build/demo.png:
    ./scripts/demo.sh --offscreen
MSG
else
  echo "In the 'Configure Host Port' dialog choose COM 1 to bring the link up."
  build/ui/qvhost --port "COM1=$link"
fi
