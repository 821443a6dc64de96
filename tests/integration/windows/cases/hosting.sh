# Launches on the stand-in VM that reach main: what the VM gets, what main sees, how it ends.
app host.exe && home jre full
for jar in lib/a1.jar lib/b.jar lib/c.jar ext/x.jar app.jar; do put $jar; done
export SHARED_DIR='C:\shared'
text=$(printf 'a%.0s' {1..71})
picture="'$text'_yyyy_L$(printf -- "-$(printf 'y%.0s' {1..45})%.0s" {1..20})" # 1,000 characters
stream="${W}logs\\new\\both_%$picture%.txt"
ini '[Java Runtime Environment]' "JRE Path=$H" 'Main Class=com.example.Main' \
  'Library Path=D:\native' 'System Path=C:\sys1;C:\sys2' \
  'Virtual Machine Parameters=  -Xmx0:300P "-Dquoted=a b" -Dname="x y"  -Xss16m -Dempty="" -ea' \
  '[Application]' "Output File=$stream" 'Output Append=yes' "Error File=$stream" 'Error Append=yes' \
  '[Class Path]' 'Class Path=\lib\a*.jar;C:\absent\y.jar;\app.jar;lib\c.jar;\ext\*;\nothing\*.jar;%SHARED_DIR%\d.jar'
run && expect 0
# Path as the VM library loads: "System Path", the launcher's own Path, the runtime's bin.
path=$(log env | sed 's/.*|Path=//') && old=${path#'C:\sys1;C:\sys2;'} && old=${old%";$H\\bin"}
[ -n "$old" ] || fail "no Path before the launcher extended it: [$path]"
same "ZL_JVM_PATH=$H\\bin\\server\\jvm.dll|ZL_JVM_HOME=$H|Path=C:\\sys1;C:\\sys2;$old;$H\\bin" "$(log env)" env
same 'version 1.2 ignoreUnrecognized 0' "$(log create)" 'VM creation'
same "-Djava.library.path=D:\\native;$W;.;$old;$H\\lib|-Djava.class.path=${W}lib\\a1.jar;\
C:\\absent\\y.jar;${W}app.jar;${W}lib\\c.jar;${W}ext\\x.jar;C:\\shared\\d.jar|\
-Dsun.java.command=com.example.Main|-Xmx307200K|\
-Dquoted=a b|-Dname=x y|-Xss16m|-Dempty=|-ea|abort (hook)|exit (hook)" "$(log option)" 'VM options'
[ "$(log stack)" -ge 16777216 ] || fail "main's stack with -Xss16m: $(log stack)"
# One moment names both streams (milliseconds too): one file, which both append to.
year=$(date +%Y)
file=$(ls "$D/logs/new")
[[ $file =~ ^both_${text}_${year}_[0-9]{1,3}(-$year){20}\.txt$ ]] || fail "stream file [$file]"
same $'System.out of com/example/Main\nSystem.err of com/example/Main' \
  "$(tr -d '\r' <"$D/logs/new/$file")" 'streams'

# main's arguments: the command line as the launcher splits it, then the tokens of "Cmd" read
# from a UTF-16 settings file, each an exact copy of its UTF-16 units. Wine quotes the last
# argument as "a\"b c", and a backslash means nothing to the launcher. Without -Xss, main's
# thread has the stack size the runtime reports.
export HOST_TOKEN='from env'
ini16 '[Java Runtime Environment]' "JRE Path=$H" 'Main Class=com.example.Main' '[Application]' \
  "Cmd=first \"second arg\"  %HOST_TOKEN% \"\" lone"$'\xef\xa3\xbf'"surrogate" \
  '[Class Path]' 'Class Path=\app.jar'
JVM_STACK=6291456 run plain 'with blank' '' 'é中😀' -nosplash 'a"b c'
expect 0
same 'plain|with blank||\u00e9\u4e2d\ud83d\ude00|-nosplash|a\|b|c"|first|second arg|from|env|lone\ud800surrogate' \
  "$(log arg)" "main's arguments"
[ "$(log stack)" -ge 6291456 ] || fail "main's stack by the runtime's default: $(log stack)"

# How each launch ends: the exit code and the VM's events from LauncherHelper on.
while IFS='|' read -r role check code events; do
  vm_ini '[Application]' "Failure Check=$check"
  JVM_ROLE=$role run && expect "$code"
  same "helper com.example.Main 1 1;$events" "$(grep -aE '^(helper|main |detach|destroy|exit)' \
    "$LOG" | tr -d '\r' | paste -sd';')" "events of role [$role]"
done <<'EOF'
|No|0|main com/example/Main;detach 0;destroy
exit:3|No|3|main com/example/Main;exit 3 by main
throw|No|1|main com/example/Main;detach 0 uncaught java/lang/IllegalStateException;destroy
missing|No|1|exit 1 by LauncherHelper
detach-fails|No|255|main com/example/Main;detach -1;detach -1;destroy
EOF
