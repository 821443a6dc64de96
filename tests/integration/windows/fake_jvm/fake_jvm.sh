# Helpers for the Wine cases that run the launcher on the stand-in VM library (this folder):
# a Java home made of a fake jvm.dll, the role the VM plays, and expectations on what the VM
# recorded. Sourced by a case after harness.sh:
#
#   source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
#   fake_home jre                      # C:\...\CASE\jre\bin\server\jvm.dll, bin\java.dll
#   app_write_settings "...JRE Path=$FAKE_HOME..."
#   fake_role throws                   # roles.h lists the roles
#   fake_start a 'b c'                 # launcher_start with a fresh VM log
#   launcher_wait
#   fake_expect_options "-Djava.class.path=${APP_WIN_DIR}app.jar;" abort exit
#   fake_expect_arguments a 'b c'
#   fake_expect_clean
#
# Expected texts are written as they are (Windows paths with single backslashes, any
# Unicode); the helpers turn them into the log's JSON form (log_record.h).
#
# Set here: FAKE_HOME (the home's Windows path, no trailing backslash), FAKE_LOG (the log's
# Unix path, beside the case's folder so that it never counts as a file left behind).

FAKE_JVM_VARIANTS=${FAKE_JVM_DIR:-$LAUNCHER_BUILD_DIR/fake_jvm}
FAKE_HOME=
FAKE_LOG=

# fake_home REL [VARIANT]: a Java home below the application folder whose bin\server\jvm.dll
# is the VM library variant ("full" by default; see CMakeLists.txt), with an empty
# bin\java.dll. VARIANT "empty" gives an empty jvm.dll, "truncated" the full one cut to its
# first 256 KiB, inside its code, as a copy that stopped half-way leaves it.
fake_home() {
  local rel=$1 variant=${2:-full}
  if [ "$variant" = empty ]; then
    app_write "$rel/bin/server/jvm.dll" ''
  elif [ "$variant" = truncated ]; then
    app_write "$rel/bin/server/jvm.dll" ''
    head -c 262144 "$FAKE_JVM_VARIANTS/full/jvm.dll" >"$(app_path "$rel/bin/server/jvm.dll")"
  else
    [ -f "$FAKE_JVM_VARIANTS/$variant/jvm.dll" ] || fail "fake_home: no VM library variant $variant"
    app_copy "$FAKE_JVM_VARIANTS/$variant/jvm.dll" "$rel/bin/server/jvm.dll"
  fi
  app_write "$rel/bin/java.dll" ''
  FAKE_HOME=$(app_win_path "$rel")
}

# fake_settings LINE...: the launcher's settings file made of these lines (CR LF after each).
fake_settings() {
  local text
  text=$(printf '%s\r\n' "$@")
  app_write_settings "$text"$'\n'
}

# fake_settings_utf16 LINE...: the same in UTF-16 with its byte-order mark, the form in which
# Windows reads every character of a settings file. The private-use character U+F8FF stands
# for the unit D800, a lone surrogate, which no UTF-8 text can carry.
fake_settings_utf16() {
  local name unit bytes='\xff\xfe'
  name=$(app_settings_name) || return 1
  for unit in $(printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE | od --endian=little -An -v -tx2); do
    [ "$unit" = f8ff ] && unit=d800
    bytes+="\\x${unit:2:2}\\x${unit:0:2}"
  done
  printf "$bytes" >"$APP_DIR/$name"
}

# fake_role ROLE[,ROLE...]: the part the VM plays in the next start.
fake_role() { export FAKE_JVM_ROLE=$1; }

# fake_start [ARGUMENTS...]: launcher_start with a fresh, empty VM log.
fake_start() {
  FAKE_LOG=$WINEPREFIX/drive_c/launcher-tests/$CASE_NAME.fakejvm.log
  rm -f "$FAKE_LOG"
  export FAKE_JVM_LOG="${CASES_ROOT_WIN}\\$CASE_NAME.fakejvm.log"
  launcher_start "$@"
}

# fake_json TEXT: TEXT as the log writes it inside a JSON string: \ and " escaped, every
# character outside printable ASCII as \uXXXX (UTF-16 units, so two for a supplementary one).
fake_json() {
  local LC_ALL=C.UTF-8
  local text=$1 out='' ch code i
  for ((i = 0; i < ${#text}; i++)); do
    ch=${text:i:1}
    case $ch in
    '\') out+='\\' ;;
    '"') out+='\"' ;;
    *)
      printf -v code '%d' "'$ch"
      if ((code >= 0x20 && code < 0x7f)); then
        out+=$ch
      elif ((code < 0x10000)); then
        printf -v ch '\\u%04x' "$code"
        out+=$ch
      else
        code=$((code - 0x10000))
        printf -v ch '\\u%04x\\u%04x' $((0xd800 + (code >> 10))) $((0xdc00 + (code & 0x3ff)))
        out+=$ch
      fi
      ;;
    esac
  done
  printf '%s' "$out"
}

# fake_json_list TEXT...: a JSON array of the texts.
fake_json_list() {
  local out='[' separator='' text
  for text in "$@"; do
    out+="$separator\"$(fake_json "$text")\""
    separator=','
  done
  printf '%s]' "$out"
}

fake_log_lines() { [ -f "$FAKE_LOG" ] && tr -d '\r' <"$FAKE_LOG"; }

# fake_events EVENT: the log lines of one event, in order.
fake_events() { fake_log_lines | grep -F "{\"event\":\"$1\"" || true; }

fake_dump_log() {
  note "the VM's log ($FAKE_LOG):"
  fake_log_lines | sed 's/^/vm> /' >&2
}

# fake_expect_log PIECE...: each piece (raw JSON text) is in a log line after the line of the
# piece before it.
fake_expect_log() {
  local piece line=0 found
  for piece in "$@"; do
    found=$(fake_log_lines | tail -n +$((line + 1)) | grep -nF -m1 -- "$piece" | cut -d: -f1)
    if [ -z "$found" ]; then
      fail "the VM's log lacks (in this order) [$piece]"
      fake_dump_log
      return 1
    fi
    line=$((line + found))
  done
}

# fake_expect_no_log PIECE: no log line holds the piece.
fake_expect_no_log() {
  if fake_log_lines | grep -qF -- "$1"; then
    fail "the VM's log holds [$1]"
    fake_dump_log
  fi
}

# fake_expect_options TEXT...: the VM was created with exactly these option strings, in this
# order; "abort" and "exit" must carry their hook, every other option none.
fake_expect_options() {
  local expected='' index=0 text extra
  for text in "$@"; do
    extra=false
    if [ "$text" = abort ] || [ "$text" = exit ]; then
      extra=true
    fi
    expected+="{\"event\":\"option\",\"index\":$index,\"text\":\"$(fake_json "$text")\",\"extraInfo\":$extra}"$'\n'
    index=$((index + 1))
  done
  local actual
  actual=$(fake_events option)
  if [ "$actual" != "${expected%$'\n'}" ]; then
    fail "VM options differ"
    note "expected:"
    printf '%s' "$expected" | sed 's/^/  /' >&2
    note "recorded:"
    printf '%s\n' "$actual" | sed 's/^/  /' >&2
  fi
}

# fake_expect_arguments TEXT...: main received exactly these arguments.
fake_expect_arguments() {
  local expected main
  expected="\"arguments\":$(fake_json_list "$@")}"
  main=$(fake_events main | head -n 1)
  case "$main" in
  *"$expected") ;;
  *) fail "main's arguments differ: expected [$expected], recorded [${main#*\"arguments\":}]" ;;
  esac
}

# fake_expect_environment NAME VALUE: the variable had this value when the VM library loaded.
fake_expect_environment() {
  fake_expect_log "{\"event\":\"environment\",\"name\":\"$1\",\"set\":true,\"value\":\"$(fake_json "$2")\"}"
}

# fake_environment NAME: the value the variable had when the VM library loaded (ASCII only).
fake_environment() {
  local json
  json=$(fake_log_lines | grep -F "{\"event\":\"environment\",\"name\":\"$1\"" | head -n 1 |
    sed -nE 's/.*"value":"(.*)"}$/\1/p')
  json=${json//\\\"/\"}
  printf '%s' "${json//\\\\/\\}"
}

# fake_expect_box TEXT: the UI driver read a message box with the default caption showing
# exactly TEXT (which may hold real line feeds).
fake_expect_box() {
  local text=$1
  text=${text//\\/\\\\}
  text=${text//$'\n'/\\n}
  text=${text//$'\r'/\\r}
  text=${text//$'\t'/\\t}
  expect_ui_line 'caption: Error'
  expect_ui_line "text: $text"
}

# fake_expect_clean: the launcher made no JNI mistake the VM could see and called nothing the
# VM does not implement.
fake_expect_clean() {
  fake_expect_no_log '{"event":"misuse"'
  fake_expect_no_log '{"event":"unexpected"'
}

# fake_field EVENT KEY: the number KEY of the first EVENT line (empty when absent).
fake_field() {
  fake_events "$1" | head -n 1 | grep -oE "\"$2\":-?[0-9]+" | head -n 1 | cut -d: -f2
}

# fake_text_field EVENT KEY: the JSON text of string KEY of the first EVENT line.
fake_text_field() {
  fake_events "$1" | head -n 1 | sed -nE "s/.*\"$2\":\"(([^\"\\\\]|\\\\.)*)\".*/\\1/p"
}
