#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder, then
# reads it as dpkg would: its control fields and computed dependencies, the
# owners and modes of its files, and what `dpkg -x` unpacks into a scratch root.
#   check-deb.sh <cpack> <build dir> <scratch dir> <file list> <version>
set -euo pipefail
cpack=$1 build=$2 scratch=$3 file_list=$4 version=$5

fail() { echo "install_deb: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack -G DEB failed"; }

arch=$(dpkg --print-architecture)
deb="$scratch/zentor-demo_${version}-1_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in $scratch: $(ls "$scratch")"
dpkg-deb --info "$deb"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = zentor-demo ] || fail "Package is $(field Package)"
[ "$(field Version)" = "${version}-1" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is $(field Architecture)"

# The libraries found by dpkg-shlibdeps, and the lettering font it cannot see.
depends=$(field Depends)
names=$(echo "$depends" | tr ',' '\n' | sed 's/([^)]*)//; s/^ *//; s/ *$//')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libopenal1 libstdc++6 fonts-liberation2; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

# Every file owned by root; the program executable, the rest only readable.
while read -r mode owner _ _ _ path; do
  [ "$owner" = root/root ] || fail "$path is owned by $owner"
  case "$mode" in
    d*) [ "$mode" = drwxr-xr-x ] || fail "$path has mode $mode" ;;
    *) case "$path" in
         ./usr/bin/*) [ "$mode" = -rwxr-xr-x ] || fail "$path has mode $mode" ;;
         *) [ "$mode" = -rw-r--r-- ] || fail "$path has mode $mode" ;;
       esac ;;
  esac
done < <(dpkg-deb --contents "$deb")

root="$scratch/root"
dpkg -x "$deb" "$root"
unpacked=$(cd "$root" && find . -type f -o -type l | sed 's#^\./##' | LC_ALL=C sort)
expected=$(grep -v '^#' "$file_list" | sed 's#^#usr/#' | LC_ALL=C sort)
diff <(echo "$expected") <(echo "$unpacked") || fail "unpacked files differ from $file_list"

program="$root/usr/bin/zentor-demo"
grep -q ', stripped' <<<"$(file -b "$program")" || fail "usr/bin/zentor-demo is not stripped"
missing=$(ldd "$program" | grep 'not found' || true)
[ -z "$missing" ] || fail "usr/bin/zentor-demo needs libraries that are not installed: $missing"
echo "install_deb: $(basename "$deb"), $(echo "$unpacked" | wc -l) files"
