# A VM library that loads but lacks a required export: a library with JNI_CreateJavaVM but
# without JNI_GetDefaultJavaVMInitArgs shows the same message as one with neither, 202 with
# 212 and the Windows error code (ERROR_PROC_NOT_FOUND, 127), then -1 (255).
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create exports.exe
app_write app.jar ''
for variant in no_default_args no_exports; do
  fake_home "jre-$variant" "$variant"
  fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
    '' '[Class Path]' 'Class Path=\app.jar'
  fake_start
  ui_press OK
  fake_expect_box "Windows exception: cannot find CreateJavaVM JNI (errno = 127)."$'\n'
  launcher_wait
  expect_exit 255
  fake_expect_log '{"event":"load",'
  fake_expect_no_log '{"event":"CreateJavaVM"'
done
