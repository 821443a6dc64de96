# A runtime without JVM_FindClassFromBootLoader (an older one): the main class is looked up
# with FindClass in slash form. When it does not exist, the pending NoClassDefFoundError is
# described on the Java error stream, then message 215 names the class as passed to the VM,
# and the launcher ends with -1 (255).
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create missing.exe
fake_home jre no_boot_loader
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_role missing-class
fake_start
ui_press OK
fake_expect_box "Could not find the main class com/example/Main."$'\n'
launcher_wait
expect_exit 255
fake_expect_log '{"event":"FindClass","name":"com/example/Main","found":false,' \
  '{"event":"ExceptionDescribe","text":"java.lang.NoClassDefFoundError: com/example/Main\u000d\u000a"}'
fake_expect_no_log '"event":"JVM_FindClassFromBootLoader"'
fake_expect_no_log '{"event":"main"'
fake_expect_clean
