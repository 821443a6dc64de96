# Functions for the Windows integration cases under Wine; sourced by run_case.sh, which then
# sources one case file (cases/NAME.sh). A case reads like what a user does:
#
#   app_create myapp.exe                      # launcher.exe copied as myapp.exe, fresh folder
#   app_write_settings $'[Java Runtime Environment]\nJRE Path=C:\\jre\n'
#   reg_add 32 'HKLM\Software\JavaSoft\Java Runtime Environment\1.8' JavaHome 'C:\jre32'
#   launcher_start --some argument
#   ui_press OK                               # waits for the launcher's box, prints, presses OK
#   expect_ui_line 'text: Main class was not specified in INI file.'
#   launcher_wait
#   expect_exit 255                           # Wine reports -1 as 255
#
# Every wait is bounded. A launcher that outlives its bound is reported with whatever window it
# shows, then killed; the case fails and the run goes on. A failed expectation is counted and
# the case goes on, so one run shows every difference.
#
# Given by the test (CMake): LAUNCHER_EXE, UI_DRIVER_EXE, LAUNCHER_BUILD_DIR, TEST_BIN_DIR (the
# folder of the test build's programs and DLLs), CASE_NAME.
# Set here: APP_NAME, APP_DIR (Unix path), APP_WIN_DIR (C:\...\ with a trailing backslash),
# LAUNCHER_PID, LAUNCHER_EXIT, LAUNCHER_OUT and LAUNCHER_ERR (files), UI_OUTPUT, UI_STATUS.

CASE_FAILURES=0
LAUNCHER_PID=
LAUNCHER_EXIT=
UI_OUTPUT=
UI_STATUS=
LAUNCH_BOUND=${LAUNCH_BOUND:-90}
UI_BOUND=${UI_BOUND:-60}
CASES_ROOT_WIN='C:\launcher-tests'
declare -a CASE_REGISTRY_ROOTS=()

fail() {
  echo "FAIL: $*" >&2
  CASE_FAILURES=$((CASE_FAILURES + 1))
}

note() { echo "# $*" >&2; }

# --- the application folder ------------------------------------------------------------------

# app_create NAME [FOLDER]: a fresh folder C:\launcher-tests\CASE\ holding the launcher as
# NAME, or holding it in FOLDER (written with "\", for names and lengths of folders that
# matter).
app_create() {
  APP_NAME=$1
  local folder=${2:-}
  rm -rf "$WINEPREFIX/drive_c/launcher-tests/$CASE_NAME"
  APP_DIR=$WINEPREFIX/drive_c/launcher-tests/$CASE_NAME${folder:+/${folder//\\//}}
  APP_WIN_DIR="$CASES_ROOT_WIN\\$CASE_NAME\\${folder:+$folder\\}"
  mkdir -p "$APP_DIR"
  cp "$LAUNCHER_EXE" "$APP_DIR/$APP_NAME"
  LAUNCHER_OUT=$APP_DIR.stdout
  LAUNCHER_ERR=$APP_DIR.stderr
}

# app_path REL: the Unix path of a file of the application folder.
app_path() { echo "$APP_DIR/$1"; }

# app_win_path REL: the same file as the launcher sees it (REL written with "/" or "\").
app_win_path() { echo "$APP_WIN_DIR${1//\//\\}"; }

# app_write REL TEXT: writes TEXT as it is (no newline added), creating folders.
app_write() {
  mkdir -p "$(dirname "$APP_DIR/$1")"
  printf '%s' "$2" >"$APP_DIR/$1"
}

# app_copy SOURCE REL: copies a file (a DLL or jar of the test build) into the folder.
app_copy() {
  mkdir -p "$(dirname "$APP_DIR/$2")"
  cp "$1" "$APP_DIR/$2"
}

# The launcher's settings file name: everything after the last "." replaced by "ini".
app_settings_name() {
  case "$APP_NAME" in
  *.*) echo "${APP_NAME%.*}.ini" ;;
  *) return 1 ;;
  esac
}

# app_write_settings TEXT: the launcher's settings file beside it.
app_write_settings() {
  local name
  name=$(app_settings_name) || {
    fail "app_write_settings: $APP_NAME has no settings file name"
    return 1
  }
  app_write "$name" "$1"
}

# --- registry fixtures -----------------------------------------------------------------------

# The first three components of a key (HKLM\Software\Vendor): what a case removes at its end.
reg_root_of() {
  local IFS='\'
  local -a parts
  read -r -a parts <<<"$1"
  echo "${parts[0]}\\${parts[1]}\\${parts[2]}"
}

# reg_add VIEW KEY NAME DATA [TYPE]: writes one value; VIEW is 64 (native) or 32 (the 32-bit
# view, Wow6432Node). A vendor root that the case creates is removed again when it ends;
# cases that write the registry carry "# lock: registry" so that they never overlap.
reg_add() {
  local view=$1 key=$2 name=$3 data=$4 type=${5:-REG_SZ} root
  root=$(reg_root_of "$key")
  if ! wine reg query "$root" "/reg:$view" >/dev/null 2>&1; then
    CASE_REGISTRY_ROOTS+=("$view|$root")
  fi
  if ! wine reg add "$key" /v "$name" /t "$type" /d "$data" /f "/reg:$view" >/dev/null 2>&1; then
    fail "reg_add: could not write $key\\$name in the $view-bit view"
    return 1
  fi
}

# reg_add_key VIEW KEY: a key without values.
reg_add_key() {
  local view=$1 key=$2 root
  root=$(reg_root_of "$key")
  if ! wine reg query "$root" "/reg:$view" >/dev/null 2>&1; then
    CASE_REGISTRY_ROOTS+=("$view|$root")
  fi
  wine reg add "$key" /f "/reg:$view" >/dev/null 2>&1 || fail "reg_add_key: could not create $key"
}

# reg_delete VIEW KEY: removes a key and everything below it; a missing key is no error.
reg_delete() {
  wine reg delete "$2" /f "/reg:$1" >/dev/null 2>&1
  return 0
}

# reg_query VIEW KEY NAME: prints the value's data, or fails when it is not there.
reg_query() {
  local line
  line=$(wine reg query "$2" /v "$3" "/reg:$1" 2>/dev/null | tr -d '\r' | grep -E "^ +$3 +REG_") ||
    return 1
  echo "$line" | sed -E "s/^ +$3 +REG_[A-Z_]+ {4}//"
}

reg_cleanup() {
  local entry
  for entry in "${CASE_REGISTRY_ROOTS[@]}"; do
    reg_delete "${entry%%|*}" "${entry#*|}"
  done
  CASE_REGISTRY_ROOTS=()
}

# --- the launcher ----------------------------------------------------------------------------

# launcher_start [ARGUMENTS...]: starts the application in the background; the working folder
# is LAUNCH_CWD (a Unix path) or the application folder.
launcher_start() {
  if [ -n "$LAUNCHER_PID" ]; then
    fail "launcher_start: the previous start is still being watched"
    return 1
  fi
  LAUNCHER_EXIT=
  (cd "${LAUNCH_CWD:-$APP_DIR}" && exec wine "$APP_DIR/$APP_NAME" "$@") \
    >"$LAUNCHER_OUT" 2>"$LAUNCHER_ERR" </dev/null &
  LAUNCHER_PID=$!
}

# launcher_wait [SECONDS]: waits for the launcher to end; sets LAUNCHER_EXIT. A launcher still
# running after the bound is shown (ui_driver lists its window, if any), killed and reported.
launcher_wait() {
  local bound=${1:-$LAUNCH_BOUND} waited=0
  if [ -z "$LAUNCHER_PID" ]; then
    fail "launcher_wait: no launcher was started"
    return 1
  fi
  while kill -0 "$LAUNCHER_PID" 2>/dev/null; do
    if [ "$waited" -ge $((bound * 10)) ]; then
      fail "the launcher did not end within ${bound}s; what it shows:"
      wine "$UI_DRIVER_EXE" --process "$APP_NAME" --timeout 1 >&2 2>&1
      launcher_kill
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  wait "$LAUNCHER_PID"
  LAUNCHER_EXIT=$?
  LAUNCHER_PID=
}

launcher_kill() {
  if [ -n "$LAUNCHER_PID" ]; then
    kill -9 "$LAUNCHER_PID" 2>/dev/null
    wait "$LAUNCHER_PID" 2>/dev/null
    LAUNCHER_PID=
    LAUNCHER_EXIT=killed
  fi
}

# --- the UI driver ---------------------------------------------------------------------------

# ui_driver [OPTIONS...]: runs ui_driver.exe (see ui_driver_win.cpp), keeps its output in
# UI_OUTPUT and its exit code in UI_STATUS, and echoes the output for the test log. While a
# launcher is being watched, a launcher that ends before any window was found ends the wait
# at once (status 2, as for no window) instead of after the whole bound.
ui_driver() {
  local out driver
  out=$(mktemp)
  wine "$UI_DRIVER_EXE" --timeout "$UI_BOUND" "$@" >"$out" &
  driver=$!
  while kill -0 "$driver" 2>/dev/null; do
    if [ -n "$LAUNCHER_PID" ] && ! kill -0 "$LAUNCHER_PID" 2>/dev/null &&
      ! grep -q '^pressed:' "$out"; then
      sleep 1 # what the driver has seen by now it prints at once
      if ! grep -q '^pressed:' "$out"; then
        kill "$driver" 2>/dev/null
        note "the launcher ended without showing the window the UI driver waits for"
      fi
      break
    fi
    sleep 0.1
  done
  wait "$driver"
  UI_STATUS=$?
  [ "$UI_STATUS" -gt 128 ] && UI_STATUS=2
  UI_OUTPUT=$(cat "$out")
  rm -f "$out"
  [ -n "$UI_OUTPUT" ] && printf '%s\n' "$UI_OUTPUT" | sed 's/^/ui> /' >&2
  return $UI_STATUS
}

# ui_press BUTTON: waits for a dialog or message box of the application and presses BUTTON
# (its id or its text).
ui_press() {
  ui_driver --process "$APP_NAME" --press "$1" ||
    fail "ui_press $1: ui_driver ended with $UI_STATUS (2: no window, 3: no such button, 4: not closed)"
}

# --- expectations ----------------------------------------------------------------------------

expect_eq() {
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
}

expect_exit() {
  expect_eq "exit code" "$1" "$LAUNCHER_EXIT"
}

# expect_ui_line LINE: UI_OUTPUT has exactly this line (texts are escaped: \n for a line feed).
expect_ui_line() {
  printf '%s\n' "$UI_OUTPUT" | grep -qxF -- "$1" || fail "no line [$1] in the UI driver's output"
}

expect_no_ui_line_starting() {
  if printf '%s\n' "$UI_OUTPUT" | grep -qF -- "$1"; then
    fail "unexpected [$1...] in the UI driver's output"
  fi
}

expect_file() { [ -e "$APP_DIR/$1" ] || fail "expected file $1 in the application folder"; }
expect_no_file() { [ ! -e "$APP_DIR/$1" ] || fail "unexpected file $1 in the application folder"; }

# expect_files_left LIST: the application folder holds exactly these names (sorted, one a line).
expect_files_left() {
  local actual
  actual=$(cd "$APP_DIR" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
  expect_eq "files in the application folder" "$1" "$actual"
}

# --- end of a case ---------------------------------------------------------------------------

case_finish() {
  launcher_kill
  reg_cleanup
  if [ "$CASE_FAILURES" -eq 0 ]; then
    echo "PASS: $CASE_NAME"
    return 0
  fi
  if [ -n "${LAUNCHER_OUT:-}" ]; then
    [ -s "$LAUNCHER_OUT" ] && sed 's/^/launcher stdout> /' "$LAUNCHER_OUT" >&2
    [ -s "$LAUNCHER_ERR" ] && sed 's/^/launcher stderr> /' "$LAUNCHER_ERR" >&2
  fi
  echo "FAIL: $CASE_NAME ($CASE_FAILURES failed expectations)"
  return 1
}
