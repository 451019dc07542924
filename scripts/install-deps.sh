#!/usr/bin/env bash
# Installs every Debian 12 package needed to build, run and test QV Host.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake pkg-config git \
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev fonts-dejavu-core \
  libgtest-dev libgmock-dev libbenchmark-dev \
  clang libclang-rt-dev \
  xvfb xauth \
  xdotool imagemagick socat
