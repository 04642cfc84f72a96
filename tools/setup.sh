# Shared by run.sh and test.sh: install the Debian packages that are missing
# (and only those), then configure and build. Sourced, not executed.

kc_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# kc_install_missing PACKAGE...
kc_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        kc_sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        kc_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

KC_BASE_PACKAGES=(cmake make g++ qt6-base-dev fonts-dejavu-core)
# Pictures saved as SVG (Qt Svg); printing and PDF come with qt6-base-dev.
# The tests read the class report's text back with pdftotext.
KC_PICTURE_PACKAGES=(qt6-svg-dev poppler-utils)
# The toolkit's own texts (standard buttons, file dialogs) in Italian.
KC_TRANSLATION_PACKAGES=(qt6-translations-l10n)
# The Debian package: cpack's dependency reader (dpkg-shlibdeps) and the
# validators of what it installs (tools/check-package.sh).
KC_PACKAGE_PACKAGES=(dpkg-dev appstream desktop-file-utils man-db)
# The fuzz targets: clang, its libFuzzer and sanitizer runtimes, and the
# symbolizer that puts file names and lines into the sanitizers' reports.
KC_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev llvm-14)
# The graph-layout library, for the measuring program that compares its
# layouts of the sociogram with our own (bench/measure_graphviz.cpp).
KC_MEASURE_PACKAGES=(libgraphviz-dev)

# kc_build BUILD_DIR [CMAKE OPTIONS...]
kc_build() {
    local dir="$1"
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" "$@"
    fi
    cmake --build "$dir" -j "$(nproc)"
}
