#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it holds and that its
# dependencies were computed from the programs, then runs lintian over it.
# Usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >/dev/null
debs=("$scratch"/quenmoor-grass_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no quenmoor-grass_*.deb" >&2; exit 1; }
deb=${debs[0]}

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(dpkg-deb -f "$deb" Package)" = quenmoor-grass ] || fail "package name"
dpkg-deb -f "$deb" Description | grep -q '^ The command-line tool' || fail "the description is not in lines"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6opengl6; do
  grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in ./usr/bin/quenmoor-grass ./usr/bin/quenmoor-grass-cli ./usr/share/doc/quenmoor-grass/Help.txt \
    ./usr/share/applications/org.quenmoor.Grass.desktop ./usr/share/mime/packages/quenmoor-grass.xml \
    ./usr/share/metainfo/org.quenmoor.Grass.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/org.quenmoor.Grass.svg \
    ./usr/share/man/man1/quenmoor-grass.1.gz ./usr/share/man/man1/quenmoor-grass-cli.1.gz \
    ./usr/share/doc/quenmoor-grass/copyright ./usr/share/doc/quenmoor-grass/changelog.gz; do
  grep -qx -- "$file" <<<"$contents" || fail "$file is not in the package"
done
# Debian's own checks of a package: no errors (warnings are reported, not failed on).
lintian --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 ||
  { cat "$scratch/lintian.txt" >&2; fail "lintian finds errors"; }
grep -E '^[WE]: ' "$scratch/lintian.txt" || true
echo "$(basename "$deb"): Depends: $depends"
