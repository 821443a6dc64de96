# The plain launch on the stand-in VM: "JRE Path" names a Java home whose bin\server\jvm.dll is
# the fake; the launcher publishes the runtime's location, binds the library, asks it for the
# default stack size with a JNI 1.1 record, creates the VM with JNI 1.2 on a thread of its own
# (unknown options rejected, "abort" and "exit" hooks last), finds the main class through the
# runtime's LauncherHelper, calls main without arguments, detaches, destroys the VM and ends
# with 0.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create hello.exe
fake_home jre
app_write app.jar ''
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_role returns
fake_start
launcher_wait
expect_exit 0

fake_expect_environment ZL_JVM_PATH "$FAKE_HOME\\bin\\server\\jvm.dll"
fake_expect_environment ZL_JVM_HOME "$FAKE_HOME"
fake_expect_log \
  '"version":"0x00010001","javaStackSize":1048576,' \
  '"version":"0x00010002","nOptions":3,"ignoreUnrecognized":false}' \
  '{"event":"created","result":0}' \
  '{"event":"JVM_FindClassFromBootLoader","name":"sun/launcher/LauncherHelper","found":true,' \
  '{"event":"checkAndLoadMain","printToStderr":true,"mode":1,"name":"com.example.Main",' \
  '{"event":"GetStaticMethodID","class":"com/example/Main","name":"main","signature":"([Ljava/lang/String;)V","found":true}' \
  '{"event":"main","class":"com/example/Main",' \
  '"attached":true,"result":0}' \
  '"unreleasedUtfChars":0,"unreleasedStringChars":0}'
fake_expect_options "-Djava.class.path=${APP_WIN_DIR}app.jar" abort exit
fake_expect_arguments
fake_expect_no_log '{"event":"FindClass","name":"com/example/Main"'
fake_expect_no_log '{"event":"uncaught"'
fake_expect_no_log '{"event":"System.exit"'
fake_expect_clean

# The VM library is loaded on the launcher's main thread; the VM is created on another
# thread, and main runs on that same thread.
loader=$(fake_field load thread)
creator=$(fake_field CreateJavaVM thread)
expect_eq "thread of main" "$creator" "$(fake_field main thread)"
[ -n "$creator" ] && [ "$creator" != "$loader" ] ||
  fail "the VM was created on the thread that loaded the library ($loader)"
expect_eq "VM destroyed once" 1 "$(fake_events DestroyJavaVM | wc -l)"
