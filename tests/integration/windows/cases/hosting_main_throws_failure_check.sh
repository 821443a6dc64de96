# An exception thrown out of main with "Failure Check" on: the launcher captures the stack
# trace (printStackTrace into a byte stream), and since no exception dialog can be shown yet,
# which counts as Stop, it calls System.exit(-1): the VM runs the launcher's exit hook and
# ends the process with -1 (255 under Wine).
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create failing.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Application]' 'Failure Check=Yes' '' '[Class Path]' 'Class Path=\app.jar'
fake_role throws
fake_start
launcher_wait
expect_exit 255
fake_expect_log '{"event":"throw","class":"java/lang/IllegalStateException",' \
  '{"event":"ExceptionClear","pending":true}' \
  '{"event":"printStackTrace","class":"java/lang/IllegalStateException"}' \
  '{"event":"print","stream":"<bytes>","text":"java.lang.IllegalStateException: thrown by main: \u00e9\u20ac\ud83d\ude00\u000d\u000a\u0009at com.example.Main.main(Main.java:3)\u000d\u000a"}' \
  '{"event":"System.exit","code":-1,"cause":"System.exit",' \
  '{"event":"exitHookReturned","code":-1}'
fake_expect_no_log '{"event":"uncaught"'
fake_expect_clean
