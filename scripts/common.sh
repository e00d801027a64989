# Sourced by the scripts: stage lines, full logs and the tools' own progress.
#
# Every script says which stage it is in ("== build: testing (230 tests)"),
# shows the progress lines of the tool at work (apt's packages, make's
# percentages, ctest's test counter) and appends everything the tools print
# to one log file, $velmora_log, which it names when something fails.

velmora_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
velmora_logs=$velmora_root/build-logs

# use_log NAME: from now on the full output goes to build-logs/NAME.log.
use_log() {
  mkdir -p "$velmora_logs"
  velmora_log=$velmora_logs/$1.log
  : >"$velmora_log"
}

stage() {
  printf '== %s\n' "$*"
  printf '\n== %s\n' "$*" >>"$velmora_log"
}

# shown FILTER COMMAND...: runs COMMAND with all its output in the log and the
# lines matching the extended regular expression FILTER on the screen. On
# failure says so with the last lines of the log and its name, and returns
# the command's status.
shown() {
  local filter=$1; shift
  local status=0
  "$@" 2>&1 | tee -a "$velmora_log" | { grep --line-buffered -E "$filter" || true; } || status=$?
  if [ "$status" -ne 0 ]; then failed "$status" "$*"; fi
  return "$status"
}

# quiet COMMAND...: like shown, with nothing on the screen unless it fails.
quiet() {
  local status=0
  "$@" >>"$velmora_log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then failed "$status" "$*"; fi
  return "$status"
}

failed() {
  printf '!! failed (exit %s): %s\n' "$1" "$2" >&2
  tail -n 30 "$velmora_log" | sed 's/^/   | /' >&2
  printf '!! the full log is %s\n' "$velmora_log" >&2
}

# build_targets BUILD_DIR TARGET...: builds with make's own percentages shown.
build_targets() {
  local dir=$1; shift
  local jobs=${VELMORA_JOBS:-$(nproc)}
  local args=()
  if [ $# -gt 0 ]; then args=(--target "$@"); fi
  shown '^\[ *[0-9]+%\] (Building|Linking|Built target)' \
    cmake --build "$dir" -j"$jobs" "${args[@]}"
}
