#!/usr/bin/env bash
# Runs a Windows program under Wine: CMake's cross-compiling emulator for the windows preset,
# so `ctest` and the test discovery of the cross build start every .exe through this script.
#
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# The program runs in the Wine session of its build folder (scripts/wine-session.sh): the
# prefix BUILD/wine/prefix, the session's Xvfb when there is no desktop. Under ctest the
# session is started once for the whole run by a fixture; run by hand, this script starts a
# session for the one program and ends it afterwards (wineserver -k, Xvfb stopped).
# The program gets a generous but bounded time (LAUNCHER_WINE_RUN_TIMEOUT seconds, default
# 900); a program still running then is killed and reported, exit code 124.
set -u

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
  exit 2
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"

program=$1
shift

# The build folder is the nearest folder above the program that holds a CMakeCache.txt.
find_build_dir() {
  local dir
  dir=$(cd "$(dirname "$program")" 2>/dev/null && pwd) || dir=$PWD
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      echo "$dir"
      return
    fi
    dir=$(dirname "$dir")
  done
  echo "$PWD"
}

build=${LAUNCHER_WINE_BUILD_DIR:-$(find_build_dir)}
wine_session_paths "$build" || exit 125

owned=0
if ! wine_session_is_up; then
  WINE_SESSION_TRANSIENT=1 wine_session_start "$build" || exit 125
  owned=1
  trap 'wine_session_stop "$build"; exit 130' INT TERM HUP
fi
wine_session_export

bound=${LAUNCHER_WINE_RUN_TIMEOUT:-900}
timeout -k 10 "$bound" wine "$program" "$@"
status=$?
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
  echo "wine-run: $program did not end within ${bound}s and was killed" >&2
  status=124
fi

if [ $owned -eq 1 ]; then
  wine_session_stop "$build"
fi
exit $status
