# "Output File" with a date and time picture and "Error File" in append mode: the launcher
# creates the missing folder, opens both files through java.io.FileOutputStream and hands
# them to System.setOut and System.setErr before main runs; main's writes land in them.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create streams.exe
fake_home jre
app_write app.jar ''
app_write logs/err.txt $'earlier\r\n'
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Application]' "Output File=${APP_WIN_DIR}logs\\new\\out_%yyyy%.txt" \
  "Error File=${APP_WIN_DIR}logs\\err.txt" 'Error Append=yes' \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_start
launcher_wait
expect_exit 0
year=$(date +%Y)
fake_expect_log "{\"event\":\"setOut\",\"path\":\"$(fake_json "${APP_WIN_DIR}logs\\new\\out_$year.txt")\",\"append\":false}" \
  "{\"event\":\"setErr\",\"path\":\"$(fake_json "${APP_WIN_DIR}logs\\err.txt")\",\"append\":true}" \
  '{"event":"main",'
expect_eq "System.out file" 'main of com.example.Main writes to System.out' \
  "$(tr -d '\r' <"$(app_path "logs/new/out_$year.txt")")"
expect_eq "System.err file" $'earlier\nmain of com.example.Main writes to System.err' \
  "$(tr -d '\r' <"$(app_path logs/err.txt)")"
fake_expect_clean

# Both streams named by one picture of 1,000 characters, both appending. Windows gets the
# picture in pieces (whole, it would overrun a buffer inside Wine's formatting functions); the
# time is read once for both names, milliseconds and all, so both streams open one file and
# both outputs land in it. The picture: a quoted text longer than a piece, the year, the
# milliseconds, then 20 times "-" and 45 "y" (a full year under Wine).
text=$(printf 'a%.0s' {1..71})
picture="'$text'_yyyy_L$(printf -- "-$(printf 'y%.0s' {1..45})%.0s" {1..20})"
expect_eq "picture length" 1000 "${#picture}"
name="${APP_WIN_DIR}logs\\both_%$picture%.txt"
fake_settings '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Application]' "Output File=$name" 'Output Append=yes' "Error File=$name" \
  'Error Append=yes' '' '[Class Path]' 'Class Path=\app.jar'
fake_start
launcher_wait
expect_exit 0
both=$(cd "$APP_DIR/logs" && ls -d both_*)
[[ $both =~ ^both_${text}_${year}_[0-9]{1,3}(-$year){20}\.txt$ ]] || fail "logs holds [$both]"
expect_eq "the file of both streams" \
  $'main of com.example.Main writes to System.out\nmain of com.example.Main writes to System.err' \
  "$(tr -d '\r' <"$APP_DIR/logs/$both")"
fake_expect_clean
