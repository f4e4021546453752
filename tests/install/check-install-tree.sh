#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: exactly
# the listed files, a program that does not look into the build tree for its
# libraries, each icon at its size, and a desktop entry and metainfo that name
# what was installed.
#   check-install-tree.sh <cmake> <build dir> <prefix> <file list> <version>
set -euo pipefail
cmake=$1 build=$2 prefix=$3 file_list=$4 version=$5
app_id=org.corvane.ZentorDemo

fail() { echo "install_tree: $*" >&2; exit 1; }

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

installed=$(cd "$prefix" && find . -type f -o -type l | sed 's#^\./##' | LC_ALL=C sort)
expected=$(grep -v '^#' "$file_list" | LC_ALL=C sort)
diff <(echo "$expected") <(echo "$installed") || fail "installed files differ from $file_list"

program="$prefix/bin/zentor-demo"
[ -x "$program" ] || fail "bin/zentor-demo is not executable"
rpaths=$(readelf -d "$program" | grep -E '\((RPATH|RUNPATH)\)' || true)
if grep -qF "$build" <<<"$rpaths"; then
  fail "bin/zentor-demo still searches the build tree for libraries"
fi

for size in 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" <<<"$(file -b "$icon")" ||
    fail "$icon is not a ${size}x${size} RGBA PNG: $(file -b "$icon")"
done

desktop="$prefix/share/applications/$app_id.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$app_id" ] || fail "Icon= is not $app_id"

metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\"/>" "$metainfo" ||
  fail "metainfo has no release entry for version $version"
if grep -q '@[A-Z_]*@' "$metainfo"; then
  fail "metainfo keeps an unfilled @VARIABLE@"
fi
echo "install_tree: $(echo "$installed" | wc -l) files under $prefix"
