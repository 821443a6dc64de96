#!/usr/bin/env bash
# Runs one Windows integration case (cases/NAME.sh) under Wine; one ctest test each.
#
#   run_case.sh CASE_FILE
#
# Needs LAUNCHER_EXE, UI_DRIVER_EXE and LAUNCHER_BUILD_DIR (set by CMake). The Wine session
# (prefix, Xvfb, wineserver) is the build folder's (scripts/wine-session.sh), started once per
# run by the ctest fixture; run by hand, this script starts one and ends it afterwards.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
case_file=$1
CASE_NAME=$(basename "$case_file" .sh)
: "${LAUNCHER_EXE:?}" "${UI_DRIVER_EXE:?}" "${LAUNCHER_BUILD_DIR:?}"
TEST_BIN_DIR=${TEST_BIN_DIR:-$(dirname "$LAUNCHER_EXE")}

# shellcheck source=../../../scripts/wine-session.sh
source "$here/../../../scripts/wine-session.sh"
wine_session_paths "$LAUNCHER_BUILD_DIR" || exit 1
owned=0
if ! wine_session_is_up; then
  WINE_SESSION_TRANSIENT=1 wine_session_start "$LAUNCHER_BUILD_DIR" || exit 1
  owned=1
fi
wine_session_export

# shellcheck source=harness.sh
source "$here/harness.sh"

# The verdict is the count of failed expectations, not the status of the case's last command.
finish() {
  local status=0
  case_finish || status=1
  if [ $owned -eq 1 ]; then
    wine_session_stop "$LAUNCHER_BUILD_DIR"
  fi
  exit $status
}
trap finish EXIT

# shellcheck disable=SC1090
source "$case_file"
