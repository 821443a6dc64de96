# Without "-Xss", the thread that creates the VM and runs main gets the runtime's default
# Java stack size, read from the JNI 1.1 record of JNI_GetDefaultJavaVMInitArgs (whose result
# code says "not supported", as HotSpot's does, and must not matter).
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create stack.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
export FAKE_JVM_STACK_SIZE=6291456
fake_start
launcher_wait
expect_exit 0
fake_expect_log '"version":"0x00010001","javaStackSize":6291456,"result":-1}'
reservation=$(fake_field main stackReservation)
[ -n "$reservation" ] && [ "$reservation" -ge 6291456 ] ||
  fail "main ran on a stack of [$reservation] bytes, expected at least 6291456"
expect_eq "thread of main" "$(fake_field CreateJavaVM thread)" "$(fake_field main thread)"
fake_expect_clean
