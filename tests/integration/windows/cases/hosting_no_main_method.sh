# A main class without a static main(String[]), on a runtime without LauncherHelper's lookup:
# when the VM leaves no exception pending, message 216 and -1 (255); when it leaves a
# NoSuchMethodError pending, that is described on the Java error stream instead and no box
# is shown.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create nomain.exe
fake_home jre no_boot_loader
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'

fake_role no-main
fake_start
ui_press OK
fake_expect_box "No main method found in specified class."$'\n'
launcher_wait
expect_exit 255
fake_expect_log '"name":"main","signature":"([Ljava/lang/String;)V","found":false}'
fake_expect_no_log '{"event":"ExceptionDescribe","text":"java'
fake_expect_clean

fake_role no-main-pending
fake_start
launcher_wait
expect_exit 255
fake_expect_log '"name":"main","signature":"([Ljava/lang/String;)V","found":false}' \
  '{"event":"ExceptionDescribe","text":"java.lang.NoSuchMethodError: main\u000d\u000a"}'
fake_expect_clean
