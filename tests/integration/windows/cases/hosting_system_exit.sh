# main calls System.exit(3): the VM calls the launcher's "exit" hook, which returns, and ends
# the process with 3; nothing of the launcher's own ending runs.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create exits.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_role exit:3
fake_start
launcher_wait
expect_exit 3
fake_expect_log '{"event":"main",' '{"event":"System.exit","code":3,"cause":"main",' \
  '{"event":"exitHookReturned","code":3}'
fake_expect_no_log '{"event":"DetachCurrentThread"'
fake_expect_no_log '{"event":"DestroyJavaVM"'
fake_expect_clean
