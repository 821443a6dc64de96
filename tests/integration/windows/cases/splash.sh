# The splash screen: the launcher's own window (its class, styles and place for an image), and
# the runtime's splash library (a stand-in that logs its calls), each launch watched by the UI
# driver in splash mode. The stand-in main waits until the driver has seen a splash window, or
# four seconds where none is expected.
export UI_DRIVER_MODE=splash JVM_AWAIT="$WROOT.seen"

# bmp FILE WIDTH HEIGHT: a 24-bit BMP of one colour in the application folder.
bmp() {
  perl -e '($w, $h) = @ARGV; $row = pack("C3", 40, 30, 200) x $w;
    $row .= "\0" x ((4 - ($w * 3) % 4) % 4); $n = length($row) * $h;
    print "BM", pack("VvvVVVVvvVVVVVV", 54 + $n, 0, 0, 54, 40, $w, $h, 1, 24, 0, $n, 2835, 2835, 0, 0), $row x $h' \
    "$2" "$3" >"$D/$1"
}
# splash_run ROLE ARGS...: run with the stand-in main in ROLE (await:20000 when empty). SPLASH:
# the driver's splash lines; BOXES: its other lines, each box's owner after it.
splash_run() {
  local role=$1 && shift
  JVM_ROLE=${role:-await:20000} run "$@"
  SPLASH=$(grep '^splash|' <<<"$BOXES" | paste -sd';')
  BOXES=$(grep -v '^splash|\|^gone$' <<<"$BOXES")
}
# The splash lines, and the one expected for an image of W by H on the driver's screen with the
# class style STYLE: popup, visible, clipping its siblings (as the system makes every top-level
# window), a tool window, centred (truncated toward zero).
splashes() { echo "$SPLASH"; }
centred() {
  local screen w=$1 h=$2 sw sh
  screen=$(splashes | head -1 | cut -d'|' -f6) && sw=${screen%x*} && sh=${screen#*x}
  local x=$(((sw - w) / 2)) y=$(((sh - h) / 2))
  echo "splash|$3|0x94000000|0x80|$x,$y,$((x + w)),$((y + h))|$screen"
}

app splash.exe && home jre full && put app.jar
bmp splash.bmp 801 601 && bmp large.bmp 2001 1201

# The own window: class style without the shadow unless it is exactly "true"; an image larger
# than the screen overhangs each edge equally; a missing image gives a window of no size.
while IFS='|' read -r image shadow style w h; do
  vm_ini '[Display]' "Splash Screen=$image" "Splash Screen Shadow=$shadow"
  splash_run '' && expect 0
  same "$(centred "$w" "$h" "$style")" "$(splashes)" "window of [$image] with shadow [$shadow]"
done <<'ROWS'
splash.bmp||0x808|801|601
splash.bmp|true|0x20808|801|601
splash.bmp|True|0x808|801|601
large.bmp|false|0x808|2001|1201
missing.bmp||0x808|0|0
ROWS
# The example of an 801 by 601 image on the 1920 by 1080 screen of the test session.
vm_ini '[Display]' "Splash Screen=${W}splash.bmp"
splash_run '' && expect 0
[[ $(splashes) != *'|1920x1080' ]] || same 'splash|0x808|0x94000000|0x80|559,239,1360,840|1920x1080' \
  "$(splashes)" 'window of 801 by 601 on 1920 by 1080'

# No window: no image, or the switch (exact case) anywhere on the command line.
vm_ini '[Display]' 'Splash Screen=' 'Preffer Native Splash Screen=Yes' 'Splash Screen Shadow=true'
splash_run await:4000 && expect 0 && same '' "$(splashes)" 'window without an image'
vm_ini '[Display]' 'Splash Screen=splash.bmp'
splash_run await:4000 a -nosplash && expect 0 && same '' "$(splashes)" 'window with -nosplash'
splash_run await:4000 /nosplash && expect 0 && same '' "$(splashes)" 'window with /nosplash'
splash_run '' -NOSPLASH && expect 0
same "$(centred 801 601 0x808)" "$(splashes)" 'window with -NOSPLASH'
same '-NOSPLASH' "$(log arg)" "main's arguments"

# An error box of the main-class thread is owned by the splash window; none without a splash.
home old no_boot_loader && vm_ini '[Display]' 'Splash Screen=splash.bmp'
splash_run missing
expect 255 'Could not find the main class com/example/Main.\n|owner=SplashScreenWindow'
splash_run missing -nosplash
expect 255 'Could not find the main class com/example/Main.\n|owner='
# A splash window closed by another program (before the VM is created) leaves the box without
# an owner, shown all the same; the splash thread still ends when the launcher does.
UI_DRIVER_MODE=splash-close JVM_CREATE_AWAIT=1 splash_run missing
expect 255 'Could not find the main class com/example/Main.\n|owner='
same "$(centred 801 601 0x808)" "$(splashes)" 'window closed by another program'

# The runtime's splash library, two folders above the VM library, when preferred ("Yes" in any
# case): its entries in order before the VM library loads, SplashClose once at the end, and
# no window of the launcher's own. Any other preference, or no library, shows the own window.
home jre full && put jre/bin/splashscreen.dll "$FIXTURES/splashscreen_full.dll"
events() {
  grep -aE '^(splash|load|create|destroy)' "$LOG" | tr -d '\r' | sed -E 's/^(create) .*/\1/' |
    paste -sd';'
}
for prefer in Yes yes; do
  vm_ini '[Display]' "Splash Screen=${W}splash.bmp" "Preffer Native Splash Screen=$prefer"
  splash_run await:4000 && expect 0 && same '' "$(splashes)" "own window with [$prefer]"
  same "splash init;splash load ${W}splash.bmp;splash names ${W}splash.bmp [];load;create;destroy;splash close" \
    "$(events)" "library calls with [$prefer]"
done
vm_ini '[Display]' 'Splash Screen=splash.bmp' 'Preffer Native Splash Screen=No'
splash_run '' && expect 0 && same 'load;create;destroy' "$(events)" 'library calls with [No]'
same "$(centred 801 601 0x808)" "$(splashes)" 'own window with [No]'
# A failed launch closes the library's splash at once, and only then.
vm_ini '[Display]' 'Splash Screen=splash.bmp' 'Preffer Native Splash Screen=YES'
splash_run create:-1
expect 255 'JNI exception: failed to create the Java VM\nReason: unknown.\n|owner='
same 'splash init;splash load splash.bmp;splash names splash.bmp [];load;create;splash close' \
  "$(events)" 'library calls of a failed launch'
# A library without SplashSetFileJarName is not used, yet its SplashClose is called at the end.
put jre/bin/splashscreen.dll "$FIXTURES/splashscreen_no_jar_name.dll"
splash_run '' && expect 0 && same 'load;create;destroy;splash close' "$(events)" 'incomplete library'
same "$(centred 801 601 0x808)" "$(splashes)" 'own window instead of an incomplete library'
rm "$D/jre/bin/splashscreen.dll"
splash_run '' && expect 0 && same "$(centred 801 601 0x808)" "$(splashes)" 'own window, no library'
