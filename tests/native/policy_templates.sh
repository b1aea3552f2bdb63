#!/usr/bin/env bash
# The administrative templates in $1 (package/policy): well-formed XML, and
# each language's ADML holds exactly the strings and presentations that the
# ADMX refers to (the Group Policy editor refuses a template with one missing).
set -uo pipefail
policy=$1 failed=0
admx=$policy/QuillanePopUpBlocker.admx
refs() { grep -o "\$($1\.[^)]*)" "$admx" | sed "s/^\$($1\.//; s/)\$//" | sort -u; }
ids() { xmllint --xpath "//*[local-name()='$2']/@$3" "$1" 2>/dev/null | grep -o '"[^"]*"' | tr -d '"' | sort -u; }
xmllint --noout "$admx" || failed=1
for language in en-US de-DE; do
  adml=$policy/$language/QuillanePopUpBlocker.adml
  xmllint --noout "$adml" || { failed=1; continue; }
  for kind in "string string id" "presentation presentation id" "list listBox refId"; do
    read -r ref element attribute <<<"$kind"
    [[ $ref == list ]] && wanted=$(ids "$admx" list id) || wanted=$(refs "$ref")
    found=$(ids "$adml" "$element" "$attribute")
    [[ $found == "$wanted" ]] ||
      { echo "$adml: $element $attribute differ from the ADMX's:"; diff <(echo "$wanted") <(echo "$found"); failed=1; }
  done
done
[[ $failed -eq 0 ]] && echo "policy templates: consistent"
exit $failed
