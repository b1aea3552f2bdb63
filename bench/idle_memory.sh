#!/usr/bin/env bash
# What the controller holds in memory while idle, against the 333 ms
# SetTimer poller and the tray program that waits for nothing, each started
# alone in the same prefix and measured the same way after SETTLE seconds:
# resident memory (VmRSS, and of it anonymous and file-backed), the
# anonymous memory of /proc/PID/smaps, the threads, and the resident part of
# each mapped file (the DLLs: comctl32, comdlg32, ...), the controller's
# largest first and every file it maps that the poller does not. Then what
# three things the controller holds cost alone, each added to the floor
# (bench/idle_tray.cpp: the common controls' library, two thread-pool
# waits as the registry watches have, one waiting thread as the timer's);
# and what each step of the controller's start adds (bench/startup_memory.cpp,
# always of this checkout's code).
# Usage: bench/idle_memory.sh [PROGRAM-FOLDER] [SETTLE]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
settle=${2:-15}
bench_targets=startup_memory
source bench/idle_session.sh "${1:-}"

# One line per figure: "name value" in KiB, files as "file:NAME".
holdings() {
  awk '/^(VmRSS|RssAnon|RssFile|Threads):/ {print $1, $2}' "/proc/$pid/status" | tr -d :
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / { file = NF >= 6 ? $NF : ""; sub(/.*\//, "", file); next }
    /^Anonymous:/ { anon += $2 }
    /^Rss:/ && file != "" && file !~ /^\[/ { rss[tolower(file)] += $2 }
    END {
      print "smaps_anonymous", anon
      for (f in rss) print "file:" f, rss[f]
    }' "/proc/$pid/smaps"
}

print_conditions
for name in program poller floor; do
  start_measured "$name"
  holdings >"$work/$name.mem"
  stop_measured
done

# $1: figure; prints it for the three programs, "-" where one has none.
figures() {
  local name
  for name in program poller floor; do
    awk -v key="$1" '$1 == key {v = $2} END {print v == "" ? "-" : v}' "$work/$name.mem"
  done | paste -sd' '
}
row() {
  # shellcheck disable=SC2046
  printf '  %-24s %10s %10s %10s\n' "$1" $(figures "$2")
}

printf '  %-24s %10s %10s %10s\n' "KiB" controller poller floor
row "resident (VmRSS)" VmRSS
row "  anonymous (RssAnon)" RssAnon
row "  file-backed (RssFile)" RssFile
row "smaps Anonymous" smaps_anonymous
row "threads" Threads
read -r rss_c rss_p rss_f < <(figures VmRSS)
read -r anon_c anon_p anon_f < <(figures smaps_anonymous)
awk -v c="$rss_c" -v p="$rss_p" -v f="$rss_f" -v ac="$anon_c" -v ap="$anon_p" -v af="$anon_f" '
  function against(name, r, a) {
    printf "controller against %s: resident %.2f times (%.1f MiB against %.1f MiB),", \
      name, c / r, c / 1024, r / 1024
    printf " anonymous %+.1f MiB\n", (ac - a) / 1024
  }
  BEGIN { against("poller", p, ap); against("floor", f, af) }'
echo "mapped files, resident KiB: the controller's 20 largest, then those only it maps"
files=$(awk '/^file:/ {print $2, $1}' "$work/program.mem" | sort -k1,1nr)
{
  head -20 <<<"$files"
  tail -n +21 <<<"$files" | while read -r _ file; do
    grep -q "^$file " "$work/poller.mem" || echo "- $file"
  done
} | while read -r _ file; do
  row "${file#file:}" "$file"
done

echo "the floor with one thing more, each alone: KiB added (resident, anonymous), threads"
for extra in comctl32 waits thread; do
  start_measured floor "$extra"
  holdings >"$work/extra.mem"
  stop_measured
  awk -v extra="$extra" '
    FNR == NR { floor[$1] = $2; next }
    { now[$1] = $2 }
    END {
      printf "  + %-10s %+8d %+8d %4d\n", extra, now["VmRSS"] - floor["VmRSS"], \
        now["RssAnon"] - floor["RssAnon"], now["Threads"]
    }' "$work/floor.mem" "$work/extra.mem"
done
echo "by step of the start (this checkout's code):"
(cd "$work/program" && wine "$work/startup_memory.exe" "$(winepath -w "$work/program")" \
  </dev/null 2>/dev/null) | tr -d '\r' | sed 's/^/  /'
