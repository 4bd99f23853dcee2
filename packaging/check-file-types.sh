#!/bin/sh
# Builds a private file type database from the desktop's own types and the
# program's (check-file-types.sh TYPES.xml) and checks that the program's
# file names and its project files' root element get the program's types.
# Any word from update-mime-database is a finding.
set -eu
types=$1
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
db=$data/mime
mkdir -p "$db/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$types" "$db/packages/"
# Among the data folders, so that it does not warn about their absence.
XDG_DATA_DIRS=$data update-mime-database "$db" >"$data/log" 2>&1
if [ -s "$data/log" ]; then
  cat "$data/log"
  exit 1
fi
for entry in dta:project ftp:ftp-template dht:html-template tbl:minnow-table; do
  pattern="application/x-brisklet-${entry#*:}:\*\.${entry%%:*}$"
  grep -q ":$pattern" "$db/globs2" || { echo "no type for *.${entry%%:*}"; exit 1; }
done
grep -q '^http://purl.org/rss/1.0/ brisklet application/x-brisklet-project$' "$db/XMLnamespaces" ||
  { echo "project files are not told by their root element"; exit 1; }
