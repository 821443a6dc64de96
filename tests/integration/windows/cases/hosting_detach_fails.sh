# main returns but DetachCurrentThread fails: the main-class thread ends with a failure, so
# the launcher ends with -1 (255) and destroys the VM in its teardown, on its main thread.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create detach.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_role detach-fails
fake_start
launcher_wait
expect_exit 255
fake_expect_log '{"event":"main",' '"attached":true,"result":-1}' '{"event":"DestroyJavaVM",'
expect_eq "VM destroyed on the thread that loaded the library" "$(fake_field load thread)" \
  "$(fake_field DestroyJavaVM thread)"
fake_expect_clean
