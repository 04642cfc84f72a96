#!/usr/bin/env bash
# Installs what is missing, builds Kaleidocircle (Release) and starts it.
# Usage: ./run.sh [test.KalCir]
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh

kc_install_missing "${KC_BASE_PACKAGES[@]}" "${KC_PICTURE_PACKAGES[@]}" "${KC_TRANSLATION_PACKAGES[@]}"
kc_build build -DCMAKE_BUILD_TYPE=Release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: to start Kaleidocircle anyway, run: xvfb-run -a ./run.sh${*:+ $*}" >&2
    exit 1
fi
exec ./build/app/kaleidocircle "$@"
