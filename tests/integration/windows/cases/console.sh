# launcher-console.exe: the launches of launcher.exe, each message on standard error instead of
# in a box (UTF-8 when standard error is a file or a pipe), and the same exit codes. Its dialogs
# are questions on the console; without one (as here) they end as Cancel and Stop.
LAUNCHER_EXE=$LAUNCHER_CONSOLE_EXE
# expect_err CODE TEXT: the exit code, no box, and TEXT on standard error.
expect_err() { same "$1|$2|" "$RC|$ERR|$BOXES" "$APP"; }

app tool.exe
ini '[Java Runtime Environment]' 'Minimum Version=1.8'
run && expect_err 255 'Main class was not specified in INI file.'
rm "$D/tool.ini" && run && expect_err 255 'Main class was not specified in INI file.'

# A folder name beyond ASCII arrives whole.
app tool.exe 'dossier-é中'
{ printf '[Java Runtime Environment]\r\nMain Class=a.B\r\n' && head -c 16M /dev/zero; } >"$D/tool.ini"
run && expect_err 255 "The settings file ${W}tool.ini was not read: it is larger than 16 MiB."

# On the stand-in VM: main returns, throws, the VM cannot be created; each ends as with
# launcher.exe.
app tool.exe && home jre full && put app.jar && vm_ini
run a && expect_err 0 ''
same 'a' "$(log arg)" 'arguments'
JVM_ROLE=throw run && same '1|' "$RC|$BOXES" 'uncaught exception'
JVM_ROLE=exit:7 run && same '7|' "$RC|$BOXES" 'System.exit'
JVM_ROLE=create:-6 run
expect_err 255 $'JNI exception: failed to create the Java VM\nReason: invalid arguments.'
ini '[Java Runtime Environment]' 'Main Class=a.B' 'Minimum Version=99' 'JRE Path=C:\nowhere'
run && expect_err 255 'The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (minimum version 99.0) from: https://adoptium.net/'

# Nobody at a console to ask: the uncaught exception's trace on standard error, and Stop.
vm_ini '[Application]' 'Failure Check=Yes'
JVM_ROLE=throw-trace run
expect_err 255 $'java/lang/IllegalStateException: thrown by main\n\tat com.example.Main.check(Main.java:42)\n\tat com.example.Main.main(Main.java:7)'
