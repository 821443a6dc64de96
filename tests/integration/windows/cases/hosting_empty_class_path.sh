# A "Class Path" whose entries all match nothing: message 209; the launch goes on without a
# class-path option, without the VM parameters and without the "Cmd" arguments, so the VM is
# created with just the two hooks, and main runs (here the VM finds the class anyway).
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
expect_exit 0
fake_expect_options abort exit
fake_expect_arguments given
fake_expect_clean
