#!/usr/bin/env bash
# The administrative templates in $1: well-formed, and each language's ADML holds exactly the strings
# and presentations the ADMX refers to (the Group Policy editor refuses a template with one missing).
admx=$1/QuillanePopUpBlocker.admx failed=0
refs() { grep -o "\$($1\.[^)]*)" "$admx" | sed 's/.*\.//; s/)$//' | sort -u; }
ids() { xmllint --xpath "//*[local-name()='$2']/@$3" "$1" 2>/dev/null | grep -o '"[^"]*"' | tr -d '"' | sort -u; }
xmllint --noout "$admx" "$1"/{en-US,de-DE}/QuillanePopUpBlocker.adml || failed=1
for adml in "$1"/{en-US,de-DE}/QuillanePopUpBlocker.adml; do
  diff <(refs string; refs presentation; ids "$admx" list id) \
    <(ids "$adml" string id; ids "$adml" presentation id; ids "$adml" listBox refId) || { echo "in $adml"; failed=1; }
done
exit $failed
