#!/usr/bin/env bash
# The rooms of $1 (the source tree) include only downwards: framework knows
# nothing of the others, components and settings only framework, ui those
# three, app everything. Prints each include that runs up and fails on any.
# With --self-test, first checks that a tree with one such include fails.
set -uo pipefail

allowed() {
  case $1 in
  framework) echo "framework" ;;
  components) echo "framework components" ;;
  settings) echo "framework settings" ;;
  ui) echo "framework components settings ui" ;;
  app) echo "framework components settings ui app" ;;
  *) echo "" ;;
  esac
}

check() {
  local src=$1 failed=0 file room target
  while IFS=: read -r file target; do
    room=${file#"$src"/}
    room=${room%%/*}
    target=${target#*\"}
    target=${target%%/*}
    if [[ " $(allowed "$room") " != *" $target "* ]]; then
      echo "${file#"$src"/}: includes ${target}/ from ${room}/"
      failed=1
    fi
  done < <(grep -rHoE '^#include "[^"/]+/' "$src" --include='*.h' --include='*.cpp')
  return $failed
}

if [[ ${1:-} == --self-test ]]; then
  shift
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/settings"
  echo '#include "ui/form.h"' >"$work/settings/bad.cpp"
  if check "$work" >/dev/null; then
    echo "the check passed a tree in which settings includes ui"
    exit 1
  fi
fi
check "$1"
