#!/usr/bin/env bash
# Reads the installed manual pages as man does: each formats without a
# warning, its NAME line is found by man-db's lexgrog, and it names every
# option and key the program's own --help lists.
#   check-manpages.sh <prefix>
set -euo pipefail
prefix=$1

fail() { echo "install_manpages: $*" >&2; exit 1; }

for tool in groff lexgrog; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

# zentor-snapshot renders offscreen; zentor-demo answers --help before any window.
export QT_QPA_PLATFORM=offscreen
for program in zentor-demo zentor-snapshot; do
  page="$prefix/share/man/man1/$program.1.gz"
  [ -f "$page" ] || fail "no $page"
  source=$(mktemp)
  trap 'rm -f "$source"' EXIT
  gzip -dc "$page" >"$source"
  warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$source" 2>&1)
  [ -z "$warnings" ] || fail "$program.1: $warnings"
  grep -q "\"$program - " <<<"$(lexgrog "$source")" || fail "$program.1: lexgrog finds no NAME line"
  text=$(LC_ALL=C groff -man -Tascii "$source" 2>/dev/null | sed 's/.\x08//g')

  help=$("$prefix/bin/$program" --help)
  options=$(echo "$help" | grep -o -- '--[a-z][a-z-]*' | sort -u)
  [ -n "$options" ] || fail "$program --help lists no options"
  for option in $options; do
    grep -q -- "$option" <<<"$text" || fail "$program.1 does not name $option"
  done
  # The key names, first column of --help's Keys section.
  keys=$(echo "$help" | sed -n '/^Keys:/,$p' | sed -n 's/^  \([^ ]\+\( [A-Z][a-z]\+\)\?\)  .*/\1/p')
  while IFS= read -r key; do
    [ -z "$key" ] && continue
    grep -qF -- "$key" <<<"$text" || fail "$program.1 does not name the key $key"
  done <<<"$keys"
  echo "install_manpages: $program.1: $(echo "$options" | wc -l) options, $(echo "$keys" | grep -c . || true) keys"
done
