#!/usr/bin/env bash
# Runs cases/NAME.sh (the ctest test wine.NAME) in the Wine session of the build folder, which
# it starts when no fixture did. A case is a table of launches written with these functions
# (for example: app demo.exe; home jre full; vm_ini; JVM_ROLE=throw run a 'b c'; expect 1); a
# failed expectation is counted and the case goes on, so one run shows every difference.
# Given by CMake: LAUNCHER_EXE, FIXTURES (the tools, see CMakeLists.txt), LAUNCHER_BUILD_DIR.
set -u
CASE=$(basename "$1" .sh)
source "$(dirname "$0")/../../../scripts/wine-session.sh"
wine_session_paths "$LAUNCHER_BUILD_DIR" || exit 1
wine_session_is_up || WINE_SESSION_TRANSIENT=1 wine_session_start "$LAUNCHER_BUILD_DIR" || exit 1
wine_session_export
ROOT=$WINEPREFIX/drive_c/launcher-tests/$CASE
WROOT="C:\\launcher-tests\\$CASE"
LOG=$ROOT.log
export JVM_LOG=$WROOT.log
unset JAVA_HOME # the launcher may take a runtime from it when it finds no other
FAILS=0

fail() { echo "FAIL: $*" >&2 && FAILS=$((FAILS + 1)); }
same() { [ "$1" = "$2" ] || fail "$3: expected [$1], got [$2]"; }

# app NAME [FOLDER]: the launcher as NAME in a fresh folder (FOLDER, written with "\", below
# the case's). D: the folder's Unix path; W: its Windows path with a trailing "\".
app() {
  APP=$1 && D=$ROOT${2:+/${2//\\//}} && W="$WROOT\\${2:+$2\\}"
  rm -rf "$ROOT" && mkdir -p "$D" && cp "$LAUNCHER_EXE" "$D/$APP"
}

# put REL [SOURCE]: a copy of SOURCE, or an empty file, in the application folder.
# home REL VARIANT [KIND]: a Java home whose bin\KIND\jvm.dll (KIND server by default) is a
# stand-in VM variant, x86, empty or truncated (the full variant cut in half). H: its path.
put() { mkdir -p "$(dirname "$D/$1")" && cp "${2:-/dev/null}" "$D/$1"; }
home() {
  local dll=$1/bin/${3:-server}/jvm.dll full=$FIXTURES/jvm_full.dll
  case $2 in
  empty) put "$dll" ;;
  x86) put "$dll" "$FIXTURES/x86.dll" ;;
  truncated) put "$dll" && head -c $(($(stat -c %s "$full") / 2)) "$full" >"$D/$dll" ;;
  *) put "$dll" "$FIXTURES/jvm_$2.dll" ;;
  esac
  H=$W${1//\//\\}
}

# ini LINE...: the settings file (the launcher's name up to its last ".", then "ini"), CR LF
# after each line. ini16: the same in UTF-16 with its byte-order mark, where U+F8FF stands for
# the lone surrogate D800. vm_ini LINE...: the home H, com.example.Main, \app.jar, the lines.
ini() { printf '%s\r\n' "$@" >"$D/${APP%.*}.ini"; }
ini16() {
  { printf '\xff\xfe' && printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE; } |
    perl -0777 -pe 's/\xff\xf8/\x00\xd8/g' >"$D/${APP%.*}.ini"
}
vm_ini() {
  ini '[Java Runtime Environment]' "JRE Path=$H" 'Main Class=com.example.Main' \
    '[Class Path]' 'Class Path=\app.jar' "$@"
}

# run ARGS...: starts the launcher in folder CWD (its own by default) with a fresh VM log, while
# the UI driver prints and presses OK on each box of a process of the case's folder. RC: the
# exit code; BOXES: the driver's lines; ERR: its standard error. A launcher still running after
# 120 seconds is killed. UI_DRIVER_MODE=splash: the driver watches the splash window too
# (ui_driver_win.cpp).
run() {
  rm -f "$LOG" "$ROOT.boxes" "$ROOT.err" "$ROOT.seen"
  wine "$FIXTURES/ui_driver.exe" ${UI_DRIVER_MODE:-} "$WROOT\\" >"$ROOT.boxes" 2>/dev/null &
  local driver=$!
  (cd "${CWD:-$D}" && exec timeout -k 5 120 wine "$D/$APP" "$@") </dev/null >/dev/null 2>"$ROOT.err"
  RC=$?
  ERR=$(tr -d '\r' <"$ROOT.err")
  kill $driver; wait $driver 2>/dev/null # it prints each box before pressing it
  BOXES=$(tr -d '\r' <"$ROOT.boxes")
  [ $RC != 124 ] || fail "$APP did not end within 120s"
  ! grep -a '^unexpected' "$LOG" 2>/dev/null || fail "the stand-in VM saw a call it does not take"
}
# expect CODE [TEXT]: the exit code, and one error box showing TEXT or, without TEXT, no box.
expect() {
  local box=${2+"Error|error|OK|$2"}
  [ "$RC|$BOXES" = "$1|$box" ] || fail "$APP: expected $1 [$box], got $RC [$BOXES]"
}
# nojre REQUIREMENT: the "JRE Not Found" dialog was shown (its buttons, then its texts) and
# cancelled.
nojre() {
  local box="JRE Not Found|error|OK,Cancel,Browse...,Missing JRE|JRE Path:The Java Runtime Environment (JRE) was not found. Please  download and install $1 from:https://adoptium.net/If you have a JRE installed you can browse for it below:"
  [ "$RC|$BOXES" = "255|$box" ] || fail "$APP: expected 255 [$box], got $RC [$BOXES]"
}
# log KIND: the stand-in VM's log lines of one kind (their first word), without it, "|" between.
log() { sed -n "s/^$1 //p" "$LOG" 2>/dev/null | tr -d '\r' | paste -sd'|'; }

source "$1"
echo "$CASE: $FAILS failed expectations" && [ $FAILS = 0 ]
