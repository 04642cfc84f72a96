#!/usr/bin/env bash
# Installs what is missing, builds Kaleidocircle and runs every test offscreen.
# Usage: ./test.sh             Release build in build/
#        ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh

kc_install_missing "${KC_BASE_PACKAGES[@]}" "${KC_PICTURE_PACKAGES[@]}" "${KC_TRANSLATION_PACKAGES[@]}"
export QT_QPA_PLATFORM=offscreen

if [ "${1:-}" = "--sanitize" ]; then
    kc_build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKC_SANITIZE=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
else
    kc_build build -DCMAKE_BUILD_TYPE=Release
    ctest --test-dir build --output-on-failure -j "$(nproc)"
fi
