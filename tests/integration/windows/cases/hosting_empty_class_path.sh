# A "Class Path" whose entries all match nothing: message 209, and the launch ends with -1
# without creating a VM, whose only classes would otherwise come from the current folder.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create noclasspath.exe
fake_home jre
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  'Virtual Machine Parameters=-Xmx64m' '' '[Application]' 'Cmd=from-cmd' \
  '' '[Class Path]' 'Class Path=\lib\*.jar;\absent.jar'
fake_start given
ui_press OK
expect_ui_line 'text: Java Class Path was not specified in INI file.'
launcher_wait
expect_exit 255
fake_expect_no_log '{"event":"CreateJavaVM"'
