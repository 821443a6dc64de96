#!/usr/bin/env bash
# One Wine session per build folder: a prefix inside the build folder, created once and then
# reused, one Xvfb display when there is no desktop, and one persistent wineserver, so that
# the Windows tests of a run start quickly and never wait for a prefix or a display.
#
#   wine-session.sh start BUILD_DIR   create what is missing, keep the wineserver running
#                                     (WINE_SESSION_TRANSIENT=1: only for one program)
#   wine-session.sh stop  BUILD_DIR   wineserver -k, stop the Xvfb this session started
#   wine-session.sh env   BUILD_DIR   print the variables a Wine command of the session needs,
#                                     as shell assignments for eval
#
# Sourced, it provides the same as functions (wine_session_start, _stop, _env) for
# scripts/wine-run.sh and the Windows integration tests.
#
# State lives in BUILD_DIR/wine/: prefix/ (WINEPREFIX), xvfb.pid, xvfb.display, session.lock,
# session.active while a started session is in force.
# Every wait is bounded; a prefix that cannot be created in time is reported, not waited for.

wine_session_paths() {
  local build=$1
  WINE_SESSION_DIR=$(cd "$build" && pwd)/wine
  WINE_SESSION_PREFIX=$WINE_SESSION_DIR/prefix
  mkdir -p "$WINE_SESSION_DIR"
}

# The variables of every Wine command of the session. mscoree and mshtml are switched off so
# that Wine never offers to install Mono or Gecko (a dialog nobody would answer), and winedbg
# so that a program that crashes just ends instead of waiting in the debugger.
wine_session_export() {
  export WINEPREFIX=$WINE_SESSION_PREFIX
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
  local display
  if display=$(wine_session_display); then
    export DISPLAY=$display
  fi
}

# The session's own Xvfb display, when that Xvfb is still alive.
wine_session_display() {
  local pidFile=$WINE_SESSION_DIR/xvfb.pid displayFile=$WINE_SESSION_DIR/xvfb.display
  [ -s "$pidFile" ] && [ -s "$displayFile" ] || return 1
  kill -0 "$(cat "$pidFile")" 2>/dev/null || return 1
  echo ":$(cat "$displayFile")"
}

wine_session_start_xvfb() {
  if wine_session_display >/dev/null; then
    return 0
  fi
  if [ -n "${DISPLAY:-}" ] && [ -z "${LAUNCHER_FORCE_XVFB:-}" ]; then
    return 0 # a desktop is already there
  fi
  command -v Xvfb >/dev/null || {
    echo "wine-session: Xvfb is not installed (run scripts/setup.sh)" >&2
    return 1
  }
  local displayFile=$WINE_SESSION_DIR/xvfb.display
  rm -f "$displayFile"
  # -displayfd lets the server pick a free display number and tell it when it is ready.
  # (fd 9, the session lock, is not handed on: a server holding it would block the next start)
  # A transient session's server ends by itself once its last client (Wine's desktop) is gone.
  local -a once=()
  [ -n "${WINE_SESSION_TRANSIENT:-}" ] && once=(-terminate)
  setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp "${once[@]}" 3>"$displayFile" 9>&- \
    >/dev/null 2>"$WINE_SESSION_DIR/xvfb.log" </dev/null &
  echo $! >"$WINE_SESSION_DIR/xvfb.pid"
  local i
  for ((i = 0; i < 100; i++)); do
    [ -s "$displayFile" ] && return 0
    kill -0 "$(cat "$WINE_SESSION_DIR/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "wine-session: Xvfb did not start (see $WINE_SESSION_DIR/xvfb.log)" >&2
  wine_session_stop_xvfb
  return 1
}

wine_session_stop_xvfb() {
  local pidFile=$WINE_SESSION_DIR/xvfb.pid pid
  if [ -s "$pidFile" ]; then
    pid=$(cat "$pidFile")
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null
      local i
      for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
      kill -9 "$pid" 2>/dev/null
    fi
  fi
  rm -f "$pidFile" "$WINE_SESSION_DIR/xvfb.display"
}

wine_session_create_prefix() {
  [ -f "$WINE_SESSION_DIR/prefix.ready" ] && [ -f "$WINE_SESSION_PREFIX/system.reg" ] && return 0
  command -v wine >/dev/null || {
    echo "wine-session: wine is not installed (run scripts/setup.sh)" >&2
    return 1
  }
  rm -rf "$WINE_SESSION_PREFIX" "$WINE_SESSION_DIR/prefix.ready"
  echo "wine-session: creating the Wine prefix $WINE_SESSION_PREFIX" >&2
  if ! timeout -k 10 300 wineboot -i >"$WINE_SESSION_DIR/wineboot.log" 2>&1 9>&-; then
    echo "wine-session: wineboot failed (see $WINE_SESSION_DIR/wineboot.log)" >&2
    return 1
  fi
  # wineboot returns before the prefix's registry is flushed to disk.
  timeout -k 5 120 wineserver -w
  touch "$WINE_SESSION_DIR/prefix.ready"
}

# True while a started session is in force: its marker is there, the prefix is ready and its
# Xvfb, when it started one, is still alive.
wine_session_is_up() {
  [ -f "$WINE_SESSION_DIR/session.active" ] && [ -f "$WINE_SESSION_DIR/prefix.ready" ] || return 1
  if [ -s "$WINE_SESSION_DIR/xvfb.pid" ]; then
    wine_session_display >/dev/null || return 1
  fi
  return 0
}

wine_session_start() {
  wine_session_paths "$1" || return 1
  (
    # One creator at a time, even when tests of the run start together.
    flock -w 600 9 || {
      echo "wine-session: timed out waiting for the session lock" >&2
      exit 1
    }
    wine_session_start_xvfb || exit 1
    wine_session_export
    wine_session_create_prefix || exit 1
    # A persistent server keeps the prefix warm between the tests of one run. It and the
    # processes Wine starts once per session (services, the desktop window) must not hold the
    # output of whoever started them: ctest and $(...) wait for the end of a test's output,
    # which would never come. So they are all started here, detached from every stream.
    # A transient session (one program run by hand) lets its server go 10 seconds after its
    # last program, in case nobody gets to stop it.
    local persist=-p
    [ -n "${WINE_SESSION_TRANSIENT:-}" ] && persist=-p10
    wineserver "$persist" 9>&- </dev/null >/dev/null 2>&1
    timeout -k 5 120 wine rundll32.exe user32.dll,GetDesktopWindow 9>&- </dev/null >/dev/null 2>&1
    touch "$WINE_SESSION_DIR/session.active"
  ) 9>"$WINE_SESSION_DIR/session.lock"
}

wine_session_stop() {
  wine_session_paths "$1" || return 1
  (
    flock -w 60 9
    rm -f "$WINE_SESSION_DIR/session.active"
    wine_session_export
    timeout -k 5 30 wineserver -k 2>/dev/null
    timeout -k 5 30 wineserver -w 2>/dev/null
    wine_session_stop_xvfb
  ) 9>"$WINE_SESSION_DIR/session.lock"
  return 0
}

# Prints the session's variables as shell assignments: eval "$(wine-session.sh env BUILD)".
wine_session_env() {
  wine_session_paths "$1" || return 1
  wine_session_export
  local name
  for name in WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES DISPLAY; do
    [ -n "${!name:-}" ] && printf 'export %s=%q\n' "$name" "${!name}"
  done
  return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -u
  case "${1:-} ${2:+x}" in
  "start x") wine_session_start "$2" ;;
  "stop x") wine_session_stop "$2" ;;
  "env x") wine_session_env "$2" ;;
  *)
    echo "usage: $0 start|stop|env BUILD_DIR" >&2
    exit 2
    ;;
  esac
fi
