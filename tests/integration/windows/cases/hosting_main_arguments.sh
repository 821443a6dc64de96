# What main receives: the command-line arguments as the launcher splits them (an empty
# argument, blanks inside quotes, text beyond Latin-1 and beyond the Basic Multilingual Plane,
# a quote that only the launcher's own rule splits, the splash switch, which stays), then the
# tokens of "Cmd", environment references expanded, after them. Each is an exact UTF-16 copy,
# even one with a lone surrogate (a legal file name; read from a UTF-16 settings file here).
source "$(dirname "${BASH_SOURCE[0]}")/../fake_jvm/fake_jvm.sh"
app_create args.exe
fake_home jre
app_write app.jar ''
export HOSTING_TOKEN='from env'
lone=$'\xef\xa3\xbf' # U+F8FF, which fake_settings_utf16 writes as the unit D800
fake_settings_utf16 '[Java Runtime Environment]' "JRE Path=$FAKE_HOME" 'Main Class=com.example.Main' \
  '' '[Application]' "Cmd=first \"second arg\"  %HOSTING_TOKEN% \"\" lone${lone}surrogate" \
  '' '[Class Path]' 'Class Path=\app.jar'
fake_start plain 'with blank' '' 'é中😀' -nosplash 'a"b c'
launcher_wait
expect_exit 0

# Wine writes the last argument as "a\"b c"; backslashes mean nothing to the launcher, so the
# quote after the backslash closes the quoted piece.
fake_expect_log "$(fake_json 'plain "with blank" "" é中😀 -nosplash "a\"b c"')\"}"
arguments=$(fake_json_list plain 'with blank' '' 'é中😀' -nosplash 'a\' b 'c"' \
  first 'second arg' from env)
fake_expect_log "\"arguments\":${arguments%]},\"lone\\ud800surrogate\"]}"
fake_expect_clean
