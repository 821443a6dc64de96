# The main class without the runtime's LauncherHelper: a runtime that does not export
# JVM_FindClassFromBootLoader (an older one) still binds, and so does one whose boot loader
# does not know LauncherHelper; either way the class is looked up with FindClass in slash
# form and main runs.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create fallback.exe
app_write app.jar ''
for entry in 'no_boot_loader returns' 'full no-helper'; do
  set -- $entry
  fake_home "jre-$1" "$1"
  fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
    '' '[Class Path]' 'Class Path=\app.jar'
  fake_role "$2"
  fake_start one
  launcher_wait
  expect_exit 0
  fake_expect_log '{"event":"FindClass","name":"com/example/Main","found":true,' \
    '{"event":"main","class":"com/example/Main",' '"attached":true,"result":0}' \
    '{"event":"DestroyJavaVM",'
  fake_expect_arguments one
  fake_expect_no_log '{"event":"checkAndLoadMain"'
  fake_expect_clean
done
