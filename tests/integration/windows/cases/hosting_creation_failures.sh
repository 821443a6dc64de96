# JNI_CreateJavaVM fails: message 203 with 213 and the reason for the result code (an empty
# reason for a code outside -1 to -6), then -1 (255). The options were handed over all the
# same, and no class is looked up.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create creation.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
reasons=(
  '-1|unknown'
  '-2|thread detached from VM'
  '-3|JNI version error'
  '-4|not enough memory'
  '-5|VM already created'
  '-6|invalid arguments'
  '-7|'
)
for entry in "${reasons[@]}"; do
  code=${entry%%|*}
  reason=${entry#*|}
  fake_role "create-fails:$code"
  fake_start
  ui_press OK
  fake_expect_box "JNI exception: failed to create the Java VM"$'\n'"Reason: $reason."$'\n'
  launcher_wait
  expect_exit 255
  fake_expect_log "{\"event\":\"created\",\"result\":$code}"
  fake_expect_options "-Djava.class.path=${APP_WIN_DIR}app.jar" abort exit
  fake_expect_no_log '"event":"FindClass"'
  fake_expect_clean
done
