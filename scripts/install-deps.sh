#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and be tested.
# Only what is missing is installed; a machine that has everything is left alone.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config ccache
  # Qt 6: widgets and print support (both in qt6-base-dev), multimedia, SVG icons,
  # Chinese translations of the standard buttons
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
  libgl-dev
  # image codecs and spreadsheets
  libjpeg62-turbo-dev libturbojpeg0-dev libgif-dev libfreexl-dev libzip-dev
  # face detection for automatic framing: OpenCV's modules and its Haar cascades
  libopencv-core-dev libopencv-imgproc-dev libopencv-objdetect-dev opencv-data
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # fuzzing: clang with libFuzzer and the sanitizer runtimes, llvm-symbolizer for the stacks
  clang libclang-rt-dev llvm
  # a display for machines without one, Chinese fonts (a Song face for the text stamp),
  # and the tools to look at the window
  xvfb xauth fonts-wqy-microhei fonts-arphic-uming xdotool xclip imagemagick
  # the install test's validators of the desktop entry and the AppStream metadata
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
