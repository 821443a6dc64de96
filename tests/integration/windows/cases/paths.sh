# Paths: a launcher deeper than MAX_PATH, below a folder named in Chinese and Greek letters,
# which code page 1252 (Wine's default here) cannot write. Its settings file is found and read;
# every path the VM gets is narrow text in that code page, so it gets short (8.3) names: no "?",
# and each names an existing file. Started from the drive's root, since Wine starts no program
# in a working folder that long.
app app.exe "中文 Ελληνικά\\$(printf 'folder%.0s' {1..40})" && home jre full
[ $((${#W} + 7)) -gt 260 ] || fail "the launcher's path is not longer than 260"
for file in jre/lib/modules lib/a.jar native/x.dll data/x.txt; do put $file; done
ini16 '[Java Runtime Environment]' "JRE Path=$H" 'Main Class=com.example.Main' \
  "Library Path=${W}native" "Virtual Machine Parameters=-Dapp.data=\"${W}data\"" \
  '[Class Path]' 'Class Path=\lib\*.jar'
CWD=$WINEPREFIX/drive_c run && expect 0
options=$(log option | tr '|' '\n')
[[ $options != *'?'* ]] || fail "options with \"?\": $options"
library=$(sed -n 's/^-Djava\.library\.path=//p' <<<"$options")
IFS=';' read -r native folder _ <<<"$library"
# the library path's first two entries and its last, the class path, the parameter's folder
for path in "$native" "$folder" "${library##*;}" "$(sed -n 's/^-Djava\.class\.path=//p' \
  <<<"$options")" "$(sed -n 's/^-Dapp\.data=//p' <<<"$options")"; do
  [ -n "$path" ] && [ -e "$(wine winepath -u "$path" 2>/dev/null)" ] || fail "[$path] names nothing"
done

# A FIFO where "JRE Path" has its VM library is no library (and is never waited on): the
# search goes on to the runtime shipped beside the launcher.
app fifo.exe && mkdir -p "$D/jre/bin/server" && mkfifo "$D/jre/bin/server/jvm.dll"
home jre64 full && put jre64/bin/java.dll && put app.jar
ini '[Java Runtime Environment]' "JRE Path=${W}jre" 'Main Class=a.B' '[Class Path]' 'Class Path=\app.jar'
run && expect 0
same "ZL_JVM_PATH=$H\\bin\\server\\jvm.dll" "$(log env | cut -d'|' -f1)" 'VM library'
