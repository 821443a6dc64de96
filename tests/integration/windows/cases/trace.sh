# The launch trace (ZL_TRACE) of launcher.exe: the lines that explain a choice and a refusal,
# in a named file (appended to) or on the standard error the parent gave; nothing without it.
# Only the registry case writes the registry, so the refusals here are of "JRE Path".
TEMP_TRACE="$WINEPREFIX/drive_c/users/$(id -un)/Temp/trace.trace.log"
# has FILE LINE...: each LINE (an extended regular expression) is a line of the trace in FILE.
has() {
  local file=$1 line && shift
  for line; do
    tr -d '\r' <"$file" | grep -Eq "^ *[0-9]+\.[0-9]{3} ms  $line\$" || fail "no trace line [$line] in $(cat "$file")"
  done
}

app trace.exe && home jre full && put app.jar && vm_ini
rm -f "$TEMP_TRACE"
run && expect 0 && same '' "$ERR" 'nothing traced when unset'
ZL_TRACE= run && expect 0 && same '' "$ERR" 'nothing traced when empty'
[ ! -e "$TEMP_TRACE" ] || fail "a trace file without ZL_TRACE"

# The choice, in a named file, appended to by each start.
ZL_TRACE="${W}trace.log" run x && expect 0
ZL_TRACE="${W}trace.log" run y && expect 0
file="$D/trace.log"
has "$file" "search \"JRE Path\" ${H//\\/\\\\}\\\\: found" \
  "runtime chosen: ${H//\\/\\\\}\\\\bin\\\\server\\\\jvm.dll from \"JRE Path\"" \
  'VM option -Djava.class.path=.*app.jar' 'VM option -Dsun.java.command=com.example.Main x' \
  'VM option -Dsun.java.command=com.example.Main y' 'environment ZL_JVM_HOME=.*' \
  'main class com/example/Main through LauncherHelper.checkAndLoadMain: loaded' \
  'main: static main\(String\[\]\)' 'phase (settings|search|VM creation|until main): [0-9.]+ ms' \
  'main returned: exit code 0' 'exit code 0'
same 2 "$(grep -c ' ms  exit code 0' "$file")" 'starts appended'

# The refusal, on the standard error that Wine gives the program: a "JRE Path" without a VM
# library; then no installed runtime is recent enough.
ini '[Java Runtime Environment]' "JRE Path=${W}nowhere" 'Main Class=a.B' 'Minimum Version=99'
ZL_TRACE=1 run && nojre 'a JRE (minimum version 99.0)'
printf '%s\n' "$ERR" >"$ROOT.trace"
has "$ROOT.trace" "search \"JRE Path\" ${W//\\/\\\\}nowhere\\\\: no VM library of the kind asked" \
  'search installed runtimes, native view' 'no runtime qualifies: exit code -1' 'exit code -1'

# Without a standard error or a console of the parent (started by "start", as from a shortcut):
# "<executable name>.trace.log" in the user's temporary folder.
vm_ini && rm -f "$TEMP_TRACE"
(cd "$D" && ZL_TRACE=1 exec timeout -k 5 120 wine start /wait /min "$APP") </dev/null >/dev/null 2>&1
same 0 $? 'exit code without standard error'
has "$TEMP_TRACE" 'runtime chosen: .* from "JRE Path"' 'exit code 0'
rm -f "$TEMP_TRACE"
