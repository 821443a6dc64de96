# With a runtime that exports JVM_FindClassFromBootLoader, a missing main class is the
# runtime's LauncherHelper's to report: it prints its error on System.err and ends the VM
# with System.exit(1), so the process ends with 1 and the launcher shows no box of its own.
# A LauncherHelper that instead returns with an error pending leads to message 211 with the
# configured main class.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create helper.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'

fake_role missing-class
fake_start
launcher_wait
expect_exit 1
fake_expect_log '{"event":"checkAndLoadMain","printToStderr":true,"mode":1,"name":"com.example.Main",' \
  '"text":"Error: Could not find or load main class com.example.Main\u000d\u000a' \
  '{"event":"System.exit","code":1,"cause":"LauncherHelper",' \
  '{"event":"exitHookReturned","code":1}'
fake_expect_clean

fake_role helper-throws
fake_start
ui_press OK
fake_expect_box "Failed to load Main Class: com/example/Main."$'\n'
launcher_wait
expect_exit 255
fake_expect_log '{"event":"throw","class":"java/lang/InternalError",'
fake_expect_no_log '{"event":"main"'
fake_expect_clean
