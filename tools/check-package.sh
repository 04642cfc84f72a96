#!/usr/bin/env bash
# Packs a finished build into the Debian package and checks what an
# installation relies on: every file in its place, the libraries read from
# the binaries, the launcher entry and the software centre's description
# accepted by their validators, a manual page without warnings, and the
# packed program answering on a terminal without a display.
# Usage: tools/check-package.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
kc_install_missing "${KC_PACKAGE_PACKAGES[@]}"

build="$(cd "${1:-build}" && pwd)"
rm -f "$build"/kaleidocircle_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/kaleidocircle_*.deb)"

fail() {
    echo "check-package: $*" >&2
    exit 1
}

contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
for file in \
    usr/bin/kaleidocircle \
    usr/bin/kaleidocircle-export \
    usr/share/applications/org.example.Kaleidocircle.desktop \
    usr/share/metainfo/org.example.Kaleidocircle.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/kaleidocircle.svg \
    usr/share/icons/hicolor/128x128/apps/kaleidocircle.png \
    usr/share/mime/packages/kaleidocircle.xml \
    usr/share/man/man1/kaleidocircle.1.gz \
    usr/share/man/man1/kaleidocircle-export.1.gz \
    usr/share/doc/kaleidocircle/Kaleidocircle-eng.pdf \
    usr/share/doc/kaleidocircle/Kaleidocircle-ita.pdf; do
    grep -qx "\./$file" <<<"$contents" || fail "/$file is not in $deb"
done
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "no library dependencies read from the binaries"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
share="$unpacked/usr/share"
desktop-file-validate "$share/applications/org.example.Kaleidocircle.desktop"
appstreamcli validate --no-net "$share/metainfo/org.example.Kaleidocircle.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$share/metainfo/org.example.Kaleidocircle.metainfo.xml"
for page in kaleidocircle kaleidocircle-export; do
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -M "$share/man" "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
version="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$unpacked/usr/bin/kaleidocircle" --version)"
[ "$version" = "kaleidocircle $(dpkg-deb --field "$deb" Version)" ] || fail "the packed program says \"$version\""
echo "check-package: $(basename "$deb") is complete and valid"
