#!/usr/bin/env bash
# The rooms of $1 (the source tree) include only downwards. The floors:
# framework knows nothing of the others, components and settings only
# framework, ui those three, app everything. Within framework the rooms stand
# on four floors, portable < system < loop < gui; within settings language
# and site_rule stand lowest, the floor's own units (its top) and records
# above them, policy above those. The platform-free rooms (framework/portable,
# settings/language, settings/site_rule) include only platform-free rooms and
# no Windows header. A folder the table below does not know fails, as do more
# than 12 source files at the top of framework or settings.
# Prints each include that runs up and fails on any. With --self-test, first
# checks that trees with one such fault each fail.
set -uo pipefail

framework_rooms="framework/portable framework/system framework/loop framework/gui"
settings_rooms="settings/language settings/site_rule settings settings/records settings/policy"

# What a room may include (rooms, or a floor's name for all its rooms).
allowed() {
  case $1 in
  framework/portable) echo "framework/portable" ;;
  framework/system) echo "framework/portable framework/system" ;;
  framework/loop) echo "framework/portable framework/system framework/loop" ;;
  framework/gui) echo "$framework_rooms" ;;
  framework) echo "$framework_rooms framework" ;;
  components) echo "$framework_rooms framework components" ;;
  settings/language) echo "framework/portable settings/language" ;;
  settings/site_rule) echo "framework/portable settings/site_rule" ;;
  settings | settings/records)
    echo "$framework_rooms framework settings/language settings/site_rule settings settings/records" ;;
  settings/policy) echo "$framework_rooms framework $settings_rooms" ;;
  ui) echo "$framework_rooms framework components $settings_rooms ui" ;;
  app) echo "$framework_rooms framework components $settings_rooms ui app" ;;
  *) echo "" ;;
  esac
}

platform_free="framework/portable settings/language settings/site_rule"

# The room of a folder below the tree: framework's and settings' rooms by
# name, every other floor as a whole (ui's own rooms are one floor).
room_of() {
  local dir=$1
  case $dir in
  framework/* | settings/*) echo "$dir" ;;
  *) echo "${dir%%/*}" ;;
  esac
}

check() {
  local src=$1 failed=0 file dir room target line count
  # Every folder of framework and settings is a room the table knows.
  while IFS= read -r dir; do
    dir=${dir#"$src"/}
    if [[ -z $(allowed "$dir") ]]; then
      echo "$dir/: a room the include check does not know"
      failed=1
    fi
  done < <(find "$src/framework" "$src/settings" -type d 2>/dev/null)
  for dir in framework settings; do
    [[ -d $src/$dir ]] || continue
    count=$(find "$src/$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) | wc -l)
    if ((count > 12)); then
      echo "$dir/: $count source files at the top, more than 12"
      failed=1
    fi
  done
  while IFS= read -r line; do
    file=${line%%:*}
    file=${file#"$src"/}
    target=${line#*\"}
    target=${target%\"*}
    room=$(room_of "$(dirname "$file")")
    target=$(room_of "$(dirname "$target")")
    if [[ " $(allowed "$room") " != *" $target "* ]]; then
      echo "$file: includes ${target}/ from ${room}/"
      failed=1
    fi
  done < <(grep -rHE '^#include "[^"]+/[^"]+"' "$src" --include='*.h' --include='*.cpp')
  for room in $platform_free; do
    [[ -d $src/$room ]] || continue
    while IFS= read -r line; do
      echo "${line#"$src"/}: a Windows header in platform-free $room/"
      failed=1
    done < <(find "$src/$room" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) \
      -exec grep -HiE '^#include <(windows|win[a-z0-9]*|commctrl|commdlg|shellapi|shl[a-z]*|uxtheme|dwmapi|ole[a-z0-9]*|objbase|mmsystem)\.h>' {} +)
  done
  return $failed
}

# Each row: a file planted in an empty tree, and what it holds; the check
# must fail on each.
self_test() {
  local path content
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  while IFS='|' read -r path content; do
    [[ -z $path ]] && continue
    rm -rf "${work:?}"/*
    mkdir -p "$work/$(dirname "$path")"
    printf '%s\n' "$content" >"$work/$path"
    if check "$work" >/dev/null; then
      echo "the check passed a tree with $path holding $content"
      exit 1
    fi
  done <<'EOF'
settings/bad.cpp|#include "ui/form.h"
framework/portable/bad.cpp|#include "framework/system/registry.h"
framework/system/bad.cpp|#include "framework/loop/application.h"
framework/loop/bad.h|#include "framework/gui/window.h"
framework/gui/bad.cpp|#include "framework/bad.h"
settings/records/bad.cpp|#include "settings/policy/policies.h"
settings/language/bad.cpp|#include "framework/system/registry.h"
settings/site_rule/bad.cpp|#include "settings/records/blocked_sites.h"
components/bad.cpp|#include "settings/marl_REG.h"
framework/portable/bad.cpp|#include <windows.h>
settings/language/bad.h|#include <Windows.h>
framework/unknown/bad.cpp|#include "framework/portable/text.h"
EOF
  # And a tree with a downward include passes.
  rm -rf "${work:?}"/*
  mkdir -p "$work/framework/gui"
  echo '#include "framework/portable/text.h"' >"$work/framework/gui/good.cpp"
  if ! check "$work"; then
    echo "the check failed a tree that includes only downwards"
    exit 1
  fi
}

if [[ ${1:-} == --self-test ]]; then
  shift
  self_test
fi
check "$1"
