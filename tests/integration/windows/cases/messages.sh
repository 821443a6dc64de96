# The error box of each launch that cannot go on (default caption, error icon, one OK button),
# and the exit code -1 (255 under Wine) once it is closed.
app msg.exe
# No main class: in the settings file, without one, or in a FIFO (no file, never waited on).
ini '[Java Runtime Environment]' 'Minimum Version=1.8' '[Application]' 'Failure Check=Yes'
run && expect 255 'Main class was not specified in INI file.'
rm "$D/msg.ini" && run && expect 255 'Main class was not specified in INI file.'
same msg.exe "$(ls "$D")" 'files left'
mkfifo "$D/msg.ini" && run && expect 255 'Main class was not specified in INI file.'
rm "$D/msg.ini" && { printf '[Java Runtime Environment]\r\nMain Class=a.B\r\n' && head -c 16M /dev/zero; } >"$D/msg.ini"
run && expect 255 "The settings file ${W}msg.ini was not read: it is larger than 16 MiB.\n"

# Without an extension the launcher has no settings file name: it stops silently.
app noext && ini '[Java Runtime Environment]' 'Main Class=a.B' && run && expect 255

# A class path whose entries match nothing: no VM is created.
app msg.exe && home jre full
ini '[Java Runtime Environment]' "JRE Path=$H" 'Main Class=a.B' '[Class Path]' 'Class Path=\lib\*.jar;\x.jar'
run && expect 255 'Java Class Path was not specified in INI file.' && same '' "$(log create)" VM

# VM libraries that cannot be loaded or bound.
put app.jar
while read -r variant text; do
  home "jre-$variant" "$variant" && vm_ini && run
  [[ $text != *DLL* ]] || text="${text%DLL*}$H\\bin\\server\\jvm.dll${text#*DLL}"
  expect 255 "$text"
done <<'EOF'
missing_dependency Failed to load Java VM library: DLL (errno = 126).\n
empty Failed to load Java VM library: DLL (errno = 193).\n
truncated Failed to load Java VM library: DLL (errno = 193).\n
no_default_args Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n
no_exports Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n
EOF

# JNI_CreateJavaVM fails with -1 to -7: the reason for each code, none outside -1 to -6.
home jre full && vm_ini
reasons=('unknown' 'thread detached from VM' 'JNI version error' 'not enough memory'
  'VM already created' 'invalid arguments' '')
for code in 1 2 3 4 5 6 7; do
  JVM_ROLE=create:-$code run
  expect 255 "JNI exception: failed to create the Java VM\nReason: ${reasons[code - 1]}.\n"
done

# The main class: LauncherHelper fails with an error pending; without LauncherHelper (an older
# runtime) FindClass does not find it, or the class has no main method.
JVM_ROLE=helper-throws run && expect 255 'Failed to load Main Class: com/example/Main.\n'
home old no_boot_loader && vm_ini
JVM_ROLE=missing run && expect 255 'Could not find the main class com/example/Main.\n'
same 'java/lang/NoClassDefFoundError: com/example/Main' "$(log describe)" 'error described'
JVM_ROLE=no-main run && expect 255 'No main method found in specified class.\n'
