#!/usr/bin/env bash
# Runs the desktop's own validators over the installed desktop entry and
# AppStream metainfo, and checks that the metainfo's screenshot is a picture
# kept in this repository, at its path under the project's home page.
#   check-metadata.sh <prefix> <source dir>
set -euo pipefail
prefix=$1 source=$2
app_id=org.corvane.ZentorDemo
desktop="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"

fail() { echo "install_metadata: $*" >&2; exit 1; }

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

# Hints count too: a clean entry shows up once, in the right menu.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net failed"

homepage=$(sed -n 's#.*<url type="homepage">\(https://.*\)</url>.*#\1#p' "$metainfo")
[ -n "$homepage" ] || fail "metainfo has no https home page"
url=$(sed -n 's#.*<image>\(.*\)</image>.*#\1#p' "$metainfo")
[ -n "$url" ] || fail "metainfo has no screenshot image"
case "$url" in
  "$homepage"/*) ;;
  *) fail "screenshot $url is not under the home page $homepage" ;;
esac
picture="$source/${url#"$homepage"/}"
grep -q '^PNG image data' <<<"$(file -b "$picture")" || fail "screenshot $url is no PNG in the repository"
echo "install_metadata: both validators pass; screenshot ${url#"$homepage"/}"
