# A VM library that cannot be loaded: message 222 with its full path and the Windows error
# code, then -1 (255). A library whose own dependency is missing gives ERROR_MOD_NOT_FOUND
# (126), an empty file or one cut short (its sections end past the end of the file)
# ERROR_BAD_EXE_FORMAT (193). The runtime's location is published before the library is
# loaded.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create loadfail.exe
app_write app.jar ''
for entry in 'missing_dependency 126' 'empty 193' 'truncated 193'; do
  set -- $entry
  fake_home "jre-$1" "$1"
  fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
    '' '[Class Path]' 'Class Path=\app.jar'
  fake_start
  ui_press OK
  fake_expect_box "Failed to load Java VM library: $FAKE_HOME\\bin\\server\\jvm.dll (errno = $2)."$'\n'
  launcher_wait
  expect_exit 255
  fake_expect_no_log '{"event":"CreateJavaVM"'
done
