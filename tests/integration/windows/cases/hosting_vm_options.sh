# The exact VM option strings: "-Djava.library.path=" first when "Library Path" is set (with
# the launcher's folder, ".", the unextended Path and the runtime's lib folder), then the class
# path (wildcards, folder-relative entries with and without a leading backslash, absolute and
# environment-expanded entries, entries that match nothing dropped, "." and ".." of a star
# left out), then the VM parameters split at blanks outside quotes, unquoted, with a
# percentage size rewritten to kilobytes, and "abort" and "exit" last. "System Path" goes in
# front of Path and the runtime's bin folder after it.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create options.exe
fake_home jre
app_write lib/a1.jar ''
app_write lib/b.jar ''
app_write lib/c.jar ''
app_write ext/x.jar ''
app_write app.jar ''
export HOSTING_SHARED='C:\shared'
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  'Library Path=D:\native' 'System Path=C:\sys1;C:\sys2' \
  'Virtual Machine Parameters=  -Xmx0:300P "-Dquoted=a b" -Dname="x y"  -Xss4m -Dempty="" -ea' \
  '' '[Class Path]' \
  'Class Path=\lib\a*.jar;C:\absent\y.jar;\app.jar;lib\c.jar;\ext\*;\nothing\*.jar;%HOSTING_SHARED%\d.jar'
fake_start
launcher_wait
expect_exit 0

# Path when the library loaded: "System Path", the Path the launcher started with, the
# runtime's bin folder.
path=$(fake_environment Path)
old_path=${path#'C:\sys1;C:\sys2;'}
[ "$old_path" != "$path" ] || fail "Path does not start with the System Path folders: [$path]"
old_path=${old_path%";$FAKE_HOME\\bin"}
[ "${path%";$FAKE_HOME\\bin"}" != "$path" ] || fail "Path does not end with the runtime's bin folder: [$path]"
[ -n "$old_path" ] || fail "no Path before the launcher extended it"

fake_expect_options \
  "-Djava.library.path=D:\\native;$APP_WIN_DIR;.;$old_path;$FAKE_HOME\\lib" \
  "-Djava.class.path=${APP_WIN_DIR}lib\\a1.jar;C:\\absent\\y.jar;${APP_WIN_DIR}app.jar;${APP_WIN_DIR}lib\\c.jar;${APP_WIN_DIR}ext\\x.jar;C:\\shared\\d.jar" \
  -Xmx307200K '-Dquoted=a b' '-Dname=x y' -Xss4m -Dempty= -ea abort exit
fake_expect_environment ZL_JVM_HOME "$FAKE_HOME"

# -Xss4m also sizes the thread that runs main.
reservation=$(fake_field main stackReservation)
[ -n "$reservation" ] && [ "$reservation" -ge 4194304 ] ||
  fail "main ran on a stack of [$reservation] bytes, expected at least 4194304"
fake_expect_clean
