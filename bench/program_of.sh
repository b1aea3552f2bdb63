# Sourced by the benchmarks: $1 names what to measure, a program folder or
# the executable in one (copied with its folder). Sets $dist and $exe.
program_of() {
  if [[ -f $1 ]]; then
    dist=$(cd "$(dirname "$1")" && pwd)
    exe=$(basename "$1")
  else
    dist=$(cd "$1" && pwd)
    exe=Stilvane.exe
  fi
}
