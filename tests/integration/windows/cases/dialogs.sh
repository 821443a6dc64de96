# The "JRE Not Found" and "Java Exception" dialogs, driven by the UI driver's dialog mode: every
# control as it opens, Escape and the close box, the shell's folder browser (driven through its
# tree) with OK enabled only for a runtime's folder, "JRE Path" remembered with its trailing
# backslash, the download link's colours and its shell open; Ignore and Stop with their exit
# codes, and the exception dialog's layout as it is resized.

# dialog CAPTION STEP...: starts the launcher while the driver works through the steps on the
# dialog with that caption. RC: the exit code; OUT: the driver's lines, and LIST: the lines of
# its first "list" without the pixel rectangles.
dialog() {
  local caption=$1 && shift
  rm -f "$LOG"
  wine "$FIXTURES/ui_driver.exe" --dialog "$WROOT\\" "$caption" "$@" >"$ROOT.dialog" 2>/dev/null &
  local driver=$!
  (cd "$D" && exec timeout -k 5 120 wine "$D/$APP") </dev/null >/dev/null 2>&1
  RC=$?
  wait $driver
  OUT=$(tr -d '\r' <"$ROOT.dialog")
  LIST=$(sed -n '/^dialog|/,/^[^-0-9]/p' <<<"$OUT" | sed -n '2,/^[^-0-9]/p' | grep -E '^-?[0-9]' |
    awk -F'|' -v OFS='|' '{ $4 = ""; print }' | sed 's/||/|/')
  [ $RC != 124 ] || fail "$APP did not end within 120s"
}
# line ID: the driver's list line of control ID (the last list), pixel rectangle as x,y,w,h.
line() { grep -E "^$1\|" <<<"$OUT" | tail -n 1; }
# field CAPTION ID N: field N of control ID's line in each list of the dialog CAPTION, "|"
# between.
field() {
  awk -F'|' -v c="$1" -v id="$2" -v n="$3" '/^dialog\|/ { on = $2 == c; next }
    on && $1 == id { print $n }' <<<"$OUT" | paste -sd'|'
}
perUser() { echo "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Dialog Test/7/dlg.ini"; }
# jre_ini LINE...: settings that no runtime satisfies; the lines end [Java Runtime Environment].
jre_ini() {
  ini '[Java Runtime Environment]' 'Main Class=com.example.Main' 'Minimum Version=99' "$@" \
    '[Class Path]' 'Class Path=\app.jar' '[Product Information]' 'Product Name=Dialog: Test' \
    'Product Code=7'
}
IE='HKCU\Software\Microsoft\Internet Explorer\Settings'
wine reg delete "$IE" /v 'Anchor Color' /f >/dev/null 2>&1

app dlg.exe && put app.jar && home jre full && home empty/nothing empty client && rm -f "$(perUser)"
jre_ini

# As it opens: every control's id, class, text, place in dialog units and state; the icon
# static takes the size of the icon (32 pixels). A popup with a caption, a system menu and a
# modal frame, not resizable.
dialog 'JRE Not Found' list color:205 key:27
same "1|Button|OK|107,122,50,14|disabled|visible
2|Button|Cancel|161,122,50,14|enabled|visible
201|Edit||60,89,94,14|enabled|visible
-1|Static|JRE Path:|12,92,45,8|enabled|visible
202|Button|Browse...|157,89,50,14|enabled|visible
-1|Button|Missing JRE|8,11,203,103|enabled|visible
204|Static|(error icon)|16,24,21,21|enabled|visible
203|Static|The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (minimum version 99.0) from:|42,24,149,24|enabled|visible
205|Static|https://adoptium.net/|44,55,75,8|enabled|visible
206|Static|If you have a JRE installed you can browse for it below:|12,73,195,8|enabled|visible" "$LIST" 'JRE Not Found controls'
style=$(grep '^dialog|' <<<"$OUT" | cut -d'|' -f6)
same '1|1|0' "$(((style & 0xC00000) == 0xC00000))|$(((style & 0x80000) != 0))|$(((style & 0x40000) != 0))" \
  'caption, system menu, no sizing border'
same 'color|0,0,255' "$(grep '^color' <<<"$OUT")" 'the link in blue'
# Escape, the close box and Cancel: -1, nothing written.
same 255 "$RC" 'Escape'
dialog 'JRE Not Found' close && same 255 "$RC" 'the close box'
dialog 'JRE Not Found' click:2 && same 255 "$RC" 'Cancel'
# OK while it is disabled does nothing.
dialog 'JRE Not Found' click:1 list key:27 && same 255 "$RC" 'OK while disabled'
same '' "$(log create)" 'no VM without a runtime'
[ ! -e "$(perUser)" ] || fail 'a cancelled dialog wrote the per-user file'

# The folder browser: its title, no New Folder button; a folder without a runtime leaves OK
# disabled; a runtime's folder enables it; OK runs that runtime and remembers the folder.
dialog 'JRE Not Found' click:202 ownedlist 'browse:'"${W}empty" list click:202 "browse:${W}jre" list click:1
# (Wine's browser is "Browse for Folder"; 14146 holds the title, 14150 is "Make New Folder")
same 'Browse for JRE folder|hidden' \
  "$(field 'Browse for Folder' 14146 3)|$(field 'Browse for Folder' 14150 7)" \
  'the folder browser: its title, no New Folder button'
same 'browse|ok|browse|ok' "$(grep '^browse' <<<"$OUT" | paste -sd'|')" 'both folders picked'
same "${W}empty|${W}jre" "$(field 'JRE Not Found' 201 3)" 'the picked folders shown'
same 'disabled|enabled' "$(field 'JRE Not Found' 1 6)" 'OK after each folder'
same 0 "$RC" 'OK with a runtime'
same 'com/example/Main' "$(log main)" 'main ran on the picked runtime'
same "[Java Runtime Environment]|JRE Path=${W}jre\\" "$(tr -d '\r' <"$(perUser)" | paste -sd'|')" \
  'JRE Path in the per-user file'
# The next start takes it without a dialog.
run && expect 0 && same 'com/example/Main' "$(log main)" 'the remembered runtime'
rm -f "$(perUser)"

# A service writes it into the settings file beside the executable, and into the paired
# program's settings file.
jre_ini '[Application]' 'Application Type=service' "Pair Product=${W}pair.exe"
: >"$D/pair.ini"
dialog 'JRE Not Found' click:202 "browse:${W}jre" click:1
same 0 "$RC" 'service: OK'
same "JRE Path=${W}jre\\" "$(tr -d '\r' <"$D/dlg.ini" | grep '^JRE Path')" 'service: beside the executable'
same "[Java Runtime Environment]|JRE Path=${W}jre\\" "$(tr -d '\r' <"$D/pair.ini" | paste -sd'|')" \
  'service: the paired settings file'
[ ! -e "$(perUser)" ] || fail 'a service wrote the per-user file'
rm "$D/pair.ini"

# "JVM Type" server: message 206, and a folder with only a client VM is no runtime.
jre_ini 'JVM Type=server'
dialog 'JRE Not Found' click:202 "browse:${W}empty\\nothing" list key:27
same 'The Java Runtime Environment (JRE) was not found. Please  download and install a JRE with a server JVM (minimum version 99.0) from:|disabled' \
  "$(line 203 | cut -d'|' -f3)|$(line 1 | cut -d'|' -f6)" 'server: message and OK'

# The link: the user's colour when well formed, blue otherwise; a click on its text, and Space
# or Enter on it (reached with Tab), open the address with the shell (a stand-in registered for
# https, which writes its command line to paired.txt), and it turns to the visited colour.
jre_ini
colour() {
  wine reg add "$IE" /v 'Anchor Color' /d "$1" /f >/dev/null 2>&1 || fail "reg add $1"
  dialog 'JRE Not Found' color:205 key:27
  same "color|$2" "$(grep '^color' <<<"$OUT")" "Anchor Color $1"
}
colour '0,128,0' '0,128,0'
colour '0,128' '0,0,255'
colour '200,0,0,' '200,0,0'
wine reg delete "$IE" /v 'Anchor Color' /f >/dev/null 2>&1
https='HKCR\https\shell\open\command'
saved=$(wine reg query "$https" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_[A-Z_]*[[:space:]]*//p' | head -n 1)
put opener.exe "$FIXTURES/ui_driver.exe"
wine reg add "$https" /ve /d "\"${W}opener.exe\" \"%1\"" /f >/dev/null 2>&1 || fail 'reg add https'
opened() {
  for _ in {1..100}; do [ -e "$D/paired.txt" ] && break || sleep 0.1; done
  same "\"${W}opener.exe\" \"https://adoptium.net/\"" "$(cat "$D/paired.txt" 2>/dev/null)" "$1"
  rm -f "$D/paired.txt"
}
# The tooltip holds the address over the text's rectangle; a click beside the text, within the
# label, opens nothing.
dialog 'JRE Not Found' tooltip:205 link:205:110 sleep:2000 color:205 key:27
IFS='|,' read -r _ tools address _ _ right _ <<<"$(grep '^tooltip' <<<"$OUT")"
same '1|https://adoptium.net/|1' "$tools|$address|$((right > 0 && right < 110))" 'the tooltip'
same 'color|0,0,255' "$(grep '^color' <<<"$OUT")" 'no visit beside the text'
[ ! -e "$D/paired.txt" ] || fail 'a click beside the text opened the address'
dialog 'JRE Not Found' link:205 sleep:2000 color:205 key:27
opened 'a click on the link'
same 'color|128,0,128' "$(grep '^color' <<<"$OUT")" 'the visited colour'
dialog 'JRE Not Found' key:9 key:9 key:9 key:32 sleep:2000 key:27
opened 'Space on the link'
dialog 'JRE Not Found' key:9 key:9 key:9 key:13 sleep:2000 key:27
opened 'Enter on the link'
if [ -n "$saved" ]; then
  wine reg add "$https" /ve /d "$saved" /f >/dev/null 2>&1
else
  wine reg delete "$https" /ve /f >/dev/null 2>&1
fi

# "Java Exception": its controls as it opens, the trace of the exception; resized, each control
# follows its flags, and it cannot be made smaller than it opened.
app ex.exe && put app.jar && home jre full
vm_ini '[Application]' 'Failure Check=yes'
export JVM_ROLE=throw-trace
tab=$'\t'
dialog 'Java Exception' list size:200,150 list size:700,600 list click:1
same "1|Button|Ignore|153,210,50,14|enabled|visible
2|Button|Stop|209,210,50,14|enabled|visible
209|Button|Uncaught Exception|8,11,259,221|enabled|visible
204|Static|(error icon)|16,26,21,21|enabled|visible
210|Static|The java process has thrown the following uncaught exception:|42,28,217,16|enabled|visible
208|Edit|java/lang/IllegalStateException: thrown by main\r\n${tab}at com.example.Main.check(Main.java:42)\r\n${tab}at com.example.Main.main(Main.java:7)\r\n|16,54,243,102|enabled|visible
211|Static|Press Ignore to continue and ignore the exception or press Stop to close the application.|16,164,243,18|enabled|visible
212|Static|WARNING: If you choose to Stop the application any unsaved data will be lost.|16,187,243,18|enabled|visible
59393|ScrollBar||$(grep -m1 '^59393|' <<<"$OUT" | cut -d'|' -f5)|enabled|visible" "$LIST" 'Java Exception controls'
style=$(grep '^dialog|' <<<"$OUT" | head -n 1 | cut -d'|' -f6)
same 1 "$(((style & 0x40000) != 0))" 'a sizing border'
sizes=$(grep '^dialog|' <<<"$OUT" | cut -d'|' -f3,4 | paste -sd' ')
read -r first second third <<<"$sizes"
same "$first" "$second" 'no smaller than it opened'
same 700,600 "${third#*|}" 'enlarged'
# Each control's pixel rectangle after the growth, from the one it opened with.
lists=$(awk '/^dialog\|/ { n++ } n == 1 || n == 3' <<<"$OUT" | grep -E '^[0-9]+\|' | cut -d'|' -f1,4)
IFS=',|' read -r w0 h0 <<<"${first%%|*}"
IFS=',|' read -r w1 h1 <<<"${third%%|*}"
dx=$((w1 - w0)) dy=$((h1 - h0))
while IFS='|' read -r id flags; do
  IFS=, read -r x y w h <<<"$(grep "^$id|" <<<"$lists" | head -n 1 | cut -d'|' -f2)"
  case $flags in
  size) expected="$x,$y,$((w + dx)),$((h + dy))" ;;
  width) expected="$x,$y,$((w + dx)),$h" ;;
  widthdown) expected="$x,$((y + dy)),$((w + dx)),$h" ;;
  corner) expected="$((x + dx)),$((y + dy)),$w,$h" ;;
  none) expected="$x,$y,$w,$h" ;;
  esac
  same "$expected" "$(grep "^$id|" <<<"$lists" | tail -n 1 | cut -d'|' -f2)" "control $id resized"
done <<'EOF2'
209|size
208|size
210|width
211|widthdown
212|widthdown
1|corner
2|corner
59393|corner
204|none
EOF2
# Ignore: main's thread goes on as after a normal return.
same 0 "$RC" 'Ignore'
same 'main com/example/Main;detach 0;destroy' "$(grep -aE '^(main |detach|destroy|exit)' "$LOG" |
  tr -d '\r' | paste -sd';')" 'Ignore: events'
# Stop, Escape and the close box: System.exit(-1).
for step in click:2 key:27 close; do
  dialog 'Java Exception' "$step"
  same 255 "$RC" "$step"
  same 'main com/example/Main;exit -1 by System.exit' "$(grep -aE '^(main |detach|destroy|exit)' \
    "$LOG" | tr -d '\r' | paste -sd';')" "$step: events"
done
unset JVM_ROLE
