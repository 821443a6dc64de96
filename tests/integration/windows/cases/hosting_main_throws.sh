# An exception thrown out of main with "Failure Check" off: the launcher leaves it to the VM,
# which reports it when the thread detaches; the VM is destroyed and the exit code is 1, as
# the java command gives.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create throws.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_role throws
fake_start
launcher_wait
expect_exit 1
fake_expect_log '{"event":"throw","class":"java/lang/IllegalStateException",' \
  '"attached":true,"result":0}' \
  '{"event":"uncaught","text":"Exception in thread \"main\" java.lang.IllegalStateException: ' \
  '{"event":"DestroyJavaVM",'
fake_expect_no_log '{"event":"printStackTrace"'
fake_expect_no_log '{"event":"System.exit"'
fake_expect_clean
