#!/usr/bin/env bash
# Screenshots of what a user sees, kept in docs/screenshots/ with the settings that produced
# each one (NAME.png beside NAME.ini), under Xvfb displays of their own:
#   splash-windows   the launcher's own splash window: the Windows launcher under Wine, on the
#                    stand-in VM library of the tests (no Windows Java runtime can be had here)
#   splash-linux     the runtime's splash library: the Linux launcher on Temurin 25
#   dialogs          "JRE Not Found" and "Java Exception" (also enlarged) under Wine, made by
#                    scripts/dialog-screenshots.sh into docs/dialog-*.png
# The image is scripts/splash-image.py's, 800 by 600, on a 1920 by 1080 screen; each shot is
# cut to the image and a margin around it.
#
#   scripts/screenshots.sh [SUBJECT...]    all subjects when none is named
#
# A subject is one function, shoot_SUBJECT (with "-" written "_"), that lays out an application
# in $work/SUBJECT, starts it, and calls capture while it shows what is to be seen. To add one
# (a dialog, say), write its function and add its name to `subjects`.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
out=docs/screenshots
work=$repo/build/screenshots
jdk=/usr/lib/jvm/temurin-25-jdk-amd64
subjects=(splash-windows splash-linux dialogs)
say() { echo "screenshots: $*" >&2; }

# capture NAME X Y WIDTH HEIGHT: waits (20 seconds at most) until the centre of the screen of
# $DISPLAY is no longer black, then dumps the screen and keeps the rectangle as $out/NAME.png.
capture() {
  local name=$1 i
  for ((i = 0; i < 200; i++)); do
    xwd -root -silent >"$work/screen.xwd"
    [[ $(python3 scripts/xwd-to-png.py "$work/screen.xwd" --centre) != 000000 ]] && break
    sleep 0.1
  done
  python3 scripts/xwd-to-png.py "$work/screen.xwd" "$out/$name.png" "${@:2}"
  say "$out/$name.png"
}

# own_xvfb: an Xvfb display of 1920 by 1080 for this script (a minute at most to start), ended
# when the script ends.
own_xvfb() {
  rm -f "$work/display" # the server writes its number once it is ready
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfbs+=($!)
  local i
  for ((i = 0; i < 600; i++)); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
  done
  [[ -s "$work/display" ]] || { say "Xvfb did not start" && exit 1; }
  export DISPLAY=":$(cat "$work/display")"
}

shoot_splash_windows() {
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target launcher jvm_full >/dev/null
  # The Wine session of the windows build, on an Xvfb of its own even on a desktop.
  LAUNCHER_FORCE_XVFB=1 bash scripts/wine-session.sh start build/windows
  eval "$(bash scripts/wine-session.sh env build/windows)"
  local app=$WINEPREFIX/drive_c/screenshots
  rm -rf "$app" && mkdir -p "$app/jre/bin/server"
  cp build/windows/bin/launcher.exe "$app/Demo.exe"
  cp build/windows/wine_fixtures/jvm_full.dll "$app/jre/bin/server/jvm.dll"
  cp "$work/splash.png" "$app/splash.png" && : >"$app/demo.jar"
  printf '%s\r\n' '[Java Runtime Environment]' 'JRE Path=jre' 'Main Class=demo.Main' \
    '[Class Path]' 'Class Path=\demo.jar' '[Display]' 'Splash Screen=splash.png' \
    'Splash Screen Shadow=true' >"$app/Demo.ini"
  (cd "$app" && JVM_ROLE=await:30000 JVM_AWAIT='C:\screenshots\go' JVM_LOG='C:\screenshots\vm.log' \
    timeout 60 wine Demo.exe >/dev/null 2>&1) &
  local launcher=$!
  capture splash-windows 520 200 880 680
  touch "$app/go" && wait $launcher || true
  tr -d '\r' <"$app/Demo.ini" >"$out/splash-windows.ini"
  bash scripts/wine-session.sh stop build/windows
}

shoot_splash_linux() {
  cmake --preset linux-release >/dev/null
  cmake --build build/linux-release --target launcher >/dev/null
  own_xvfb
  local app=$work/splash-linux
  rm -rf "$app" && mkdir -p "$app/lib" "$app/classes"
  # An application that waits for the screenshot, its splash on the screen meanwhile.
  mkdir -p "$app/src" && cat >"$app/src/Demo.java" <<'JAVA'
public class Demo {
  public static void main(String[] args) throws Exception {
    java.nio.file.Path go = java.nio.file.Path.of(args[0]);
    for (int i = 0; i < 300 && !java.nio.file.Files.exists(go); ++i) {
      Thread.sleep(100);
    }
  }
}
JAVA
  javac --release 11 -d "$app/classes" "$app/src/Demo.java"
  jar --create --file "$app/lib/demo.jar" -C "$app/classes" .
  cp build/linux-release/bin/launcher "$app/Demo" && cp "$work/splash.png" "$app/splash.png"
  printf '%s\n' '[Java Runtime Environment]' "JRE Path=$jdk" 'Main Class=Demo' '[Class Path]' \
    'Class Path=lib/demo.jar' '[Display]' 'Splash Screen=splash.png' >"$app/Demo.ini"
  (cd "$app" && timeout 60 ./Demo "$app/go") &
  local launcher=$!
  capture splash-linux 520 200 880 680
  touch "$app/go" && wait $launcher || true
  sed "s|$jdk|/usr/lib/jvm/temurin-25-jdk-amd64|" "$app/Demo.ini" >"$out/splash-linux.ini"
}

shoot_dialogs() {
  bash scripts/dialog-screenshots.sh
}

bash scripts/setup.sh >/dev/null
mkdir -p "$out" "$work"
xvfbs=()
trap '[ ${#xvfbs[@]} -eq 0 ] || kill "${xvfbs[@]}" 2>/dev/null' EXIT
python3 scripts/splash-image.py "$work/splash.png" 800 600
for subject in "${@:-${subjects[@]}}"; do
  say "$subject"
  "shoot_${subject//-/_}"
done
