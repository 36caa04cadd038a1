#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks it as an installation:
# the commands reach the real executables through their links and find the dictionary beside
# them, and the desktop entry and the software centre entry pass their validators.
# usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
deb="$build/garment-dictionary_${version}_$(dpkg --print-architecture).deb"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cmake --build "$build" --target package >/dev/null
dpkg-deb -x "$deb" "$root"

fail() { echo "FAILED: $*" >&2; exit 1; }

[ -L "$root/usr/bin/gdict" ] || fail "usr/bin/gdict is not a link"
[ -L "$root/usr/bin/garment-dictionary" ] || fail "usr/bin/garment-dictionary is not a link"
[ -x "$root/usr/lib/garment-dictionary/garment_dictionary" ] || fail "no program executable"
found=$("$root/usr/bin/gdict" lookup --limit 1 shirt) || fail "gdict lookup shirt exited $?"
[ "$found" = "shirt	衬衫" ] || fail "gdict lookup shirt printed '$found'"
[ "$("$root/usr/bin/gdict" --version)" = "gdict $version" ] || fail "gdict --version"

for path in usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/garment-dictionary.png \
            usr/share/man/man1/gdict.1.gz usr/share/man/man1/garment-dictionary.1.gz \
            usr/share/doc/garment-dictionary/copyright; do
    [ -s "$root/$path" ] || fail "missing $path"
done
desktop-file-validate "$root/usr/share/applications/garment-dictionary.desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6webenginewidgets6 qt6-qpa-plugins qt6-speech-flite-plugin; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
echo "package $deb checked"
