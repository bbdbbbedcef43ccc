#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks it as a desktop installation: the layout,
# the menu entry, the AppStream metadata, the file type, the man pages, the bash completion, and
# that the help and licence files the program names are where it says.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

for file in \
    bin/quenmoor-grass bin/quenmoor-grass-cli \
    share/doc/quenmoor-grass/Help.txt share/doc/quenmoor-grass/License.txt \
    share/applications/org.quenmoor.Grass.desktop \
    share/metainfo/org.quenmoor.Grass.metainfo.xml \
    share/mime/packages/quenmoor-grass.xml \
    share/icons/hicolor/scalable/apps/org.quenmoor.Grass.svg \
    share/icons/hicolor/48x48/apps/org.quenmoor.Grass.png \
    share/icons/hicolor/256x256/apps/org.quenmoor.Grass.png \
    share/man/man1/quenmoor-grass.1.gz share/man/man1/quenmoor-grass-cli.1.gz \
    share/bash-completion/completions/quenmoor-grass-cli; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ "$(ls "$prefix/bin")" = "$(printf 'quenmoor-grass\nquenmoor-grass-cli')" ] || fail "bin/ holds more than the programs"

desktop-file-validate "$prefix/share/applications/org.quenmoor.Grass.desktop"
grep -qx 'Exec=quenmoor-grass %f' "$prefix/share/applications/org.quenmoor.Grass.desktop" || fail "Exec takes no file"
appstreamcli validate --no-net "$prefix/share/metainfo/org.quenmoor.Grass.metainfo.xml" >/dev/null
appstreamcli validate-tree --no-net "$prefix" >/dev/null
xmllint --noout "$prefix/share/mime/packages/quenmoor-grass.xml" "$prefix/share/metainfo/org.quenmoor.Grass.metainfo.xml"
# The file type compiles into a mime database and gives ".grass" files their type.
update-mime-database "$prefix/share/mime"
grep -q '^50:application/x-quenmoor-grass:\*\.grass$' "$prefix/share/mime/globs2" || fail "*.grass has no type"
for page in "$prefix"/share/man/man1/*.1.gz; do
  [ -z "$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -l "$page" 2>&1 >/dev/null)" ] || fail "$page has roff warnings"
done
bash -c "source '$prefix/share/bash-completion/completions/quenmoor-grass-cli' && complete -p quenmoor-grass-cli" \
  >/dev/null || fail "the completion registers nothing"

# The installed programs answer without a display, and the help and licence files they name exist.
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quenmoor-grass" --help)
for label in "Help on every window" "License"; do
  named=$(sed -n "s/^$label: //p" <<<"$help")
  [ "$named" = "$(realpath -m "$named")" ] || fail "\"$named\" is not a plain absolute path"
  case $named in "$prefix"/share/doc/quenmoor-grass/*) ;; *) fail "$label names $named, outside the installation" ;; esac
  [ -f "$named" ] || fail "$label names $named, which does not exist"
done
"$prefix/bin/quenmoor-grass" --version | grep -q '^quenmoor-grass [0-9]' || fail "no version"
"$prefix/bin/quenmoor-grass-cli" --version >/dev/null
echo "installed layout checked"
