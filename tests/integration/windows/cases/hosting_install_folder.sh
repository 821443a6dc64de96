# An application installed deep below a folder named in Chinese and Greek letters, under a
# Western code page (1252, Wine's default here), which has none of them. The launcher's path
# is longer than 260 characters (MAX_PATH): it reads that path whole and its settings file by
# its short name. VM options are narrow text in the code page, so each path that would lose
# letters goes to the VM by its short (8.3) name: the stand-in VM gets options without "?"
# whose paths name existing files. Started from the drive's root: Wine starts no program in a
# working folder that long.
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create app.exe "中文 Ελληνικά\\$(printf 'folder%.0s' {1..40})"
[ $((${#APP_WIN_DIR} + ${#APP_NAME})) -gt 260 ] || fail "the launcher's path is not longer than 260"
fake_home jre
for file in jre/lib/modules lib/a.jar native/x.dll data/x.txt; do app_write $file ''; done
fake_settings_utf16 '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  "Library Path=${APP_WIN_DIR}native" "Virtual Machine Parameters=-Dapp.data=\"${APP_WIN_DIR}data\"" \
  '' '[Class Path]' 'Class Path=\lib\*.jar'
LAUNCH_CWD=$WINEPREFIX/drive_c fake_start
launcher_wait
expect_exit 0

options=$(fake_events option | sed -nE 's/.*"text":"(([^"\\]|\\.)*)".*/\1/p' | sed 's/\\\\/\\/g')
[[ $options == *'?'* ]] && fail "options with \"?\": $options"
library=$(sed -n 's/^-Djava\.library\.path=//p' <<<"$options")
IFS=';' read -r native folder _ <<<"$library"
class_path=$(sed -n 's/^-Djava\.class\.path=//p' <<<"$options")
# native, the launcher's folder, the runtime's lib folder, the jar, the parameter's folder
for path in "$native" "$folder" "${library##*;}" "${class_path%;}" \
  "$(sed -n 's/^-Dapp\.data=//p' <<<"$options")"; do
  unix=$(wine winepath -u "$path" 2>/dev/null | tr -d '\r')
  [ -n "$path" ] && [ -n "$unix" ] && [ -e "$unix" ] || fail "[$path] names nothing"
done
fake_expect_clean
