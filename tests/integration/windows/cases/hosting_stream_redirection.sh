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
