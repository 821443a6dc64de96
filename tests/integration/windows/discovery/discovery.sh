# Helpers for the Wine cases of the runtime search (cases/runtime_*.sh), sourced after
# harness.sh:
#
#   source "$(dirname "${BASH_SOURCE[0]}")/../discovery/discovery.sh"
#   rt_home jre8 client                  # C:\...\CASE\jre8\bin\client\jvm.dll, empty
#   rt_home x86 server 32                # ... holding the real 32-bit x86 library
#   reg_add 64 "$RT_JRE_KEY\\1.8.0_151" JavaHome "$RT_HOME"
#   rt_settings 'Maximum Version=any' -- 'Pair Product=...'
#   launcher_start; ui_press OK
#   rt_expect_load_failure "$RT_HOME\\bin\\client\\jvm.dll" 193
#
# An empty jvm.dll cannot be loaded (ERROR_BAD_EXE_FORMAT, 193), so the path in message 222
# shows which runtime the launcher chose; so does the 32-bit library in this 64-bit process.
#
# Given by the build: DISCOVERY_TINY_LIBRARY32, DISCOVERY_TINY_LIBRARY64 (real x86 and x86-64
# DLLs) and DISCOVERY_PAIRED_PROBE (the paired program: paired-report.txt and
# paired-exit-code.txt beside itself, see paired_probe_win.cpp).

RT_JDK_KEY='HKLM\Software\JavaSoft\Java Development Kit'
RT_JRE_KEY='HKLM\Software\JavaSoft\Java Runtime Environment'
RT_HOME=

# rt_home REL KIND [IMAGE]: a Java home below the application folder with bin\KIND\jvm.dll;
# IMAGE is empty (default), 32 or 64 (the tiny libraries), or a file to copy. Sets RT_HOME to
# its Windows path without a trailing backslash.
rt_home() {
  local rel=$1 kind=$2 image=${3:-}
  case "$image" in
  '') app_write "$rel/bin/$kind/jvm.dll" '' ;;
  32) app_copy "$DISCOVERY_TINY_LIBRARY32" "$rel/bin/$kind/jvm.dll" ;;
  64) app_copy "$DISCOVERY_TINY_LIBRARY64" "$rel/bin/$kind/jvm.dll" ;;
  *) app_copy "$image" "$rel/bin/$kind/jvm.dll" ;;
  esac
  RT_HOME=$(app_win_path "$rel")
}

# rt_settings LINE... [-- LINE...]: the settings file: [Java Runtime Environment] with a main
# class and the lines before "--", then [Application] with the lines after it.
rt_settings() {
  local -a runtime=() application=()
  local target=runtime line text
  for line in "$@"; do
    if [ "$line" = -- ]; then
      target=application
    elif [ "$target" = runtime ]; then
      runtime+=("$line")
    else
      application+=("$line")
    fi
  done
  text=$(printf '%s\r\n' '[Java Runtime Environment]' 'Main Class=com.example.Main' \
    "${runtime[@]}" '' '[Application]' "${application[@]}")
  app_write_settings "$text"$'\r\n'
}

# rt_paired_probe [EXIT_CODE]: the paired program copied into the application folder as
# tool32.exe; prints its Windows path. Its report is paired-report.txt beside it.
rt_paired_probe() {
  app_copy "$DISCOVERY_PAIRED_PROBE" tool32.exe
  rm -f "$APP_DIR/paired-report.txt"
  if [ -n "${1:-}" ]; then
    app_write paired-exit-code.txt "$1"
  else
    rm -f "$APP_DIR/paired-exit-code.txt"
  fi
  app_win_path tool32.exe
}

# rt_box_text TEXT: TEXT as the UI driver prints it.
rt_box_text() {
  local text=$1
  text=${text//\\/\\\\}
  text=${text//$'\n'/\\n}
  printf '%s' "$text"
}

# rt_expect_load_failure PATH CODE: message 222 for the VM library at PATH.
rt_expect_load_failure() {
  expect_ui_line 'caption: Error'
  expect_ui_line "text: $(rt_box_text "Failed to load Java VM library: $1 (errno = $2)."$'\n')"
}

# rt_expect_not_found REQUIREMENT [server]: message 207 (206 with "server").
rt_expect_not_found() {
  local kind='a JRE'
  [ "${2:-}" = server ] && kind='a JRE with a server JVM'
  expect_ui_line 'caption: Error'
  expect_ui_line "text: The Java Runtime Environment (JRE) was not found. Please  download and install $kind ($1) from: https://adoptium.net/"
}

# rt_run_to_box: starts the launcher, presses OK on its message box and waits for its end.
rt_run_to_box() {
  launcher_start "$@"
  ui_press OK
  launcher_wait
}

# rt_await_report: waits (bounded) for the paired program's report; prints it.
rt_await_report() {
  local waited=0
  while [ ! -f "$APP_DIR/paired-report.txt" ] && [ "$waited" -lt 600 ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  [ -f "$APP_DIR/paired-report.txt" ] && cat "$APP_DIR/paired-report.txt"
}
