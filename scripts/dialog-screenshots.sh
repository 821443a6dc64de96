#!/usr/bin/env bash
# Pictures of the launcher's two dialogs under Wine and Xvfb, for the README: "JRE Not Found"
# as it opens, and "Java Exception" as it opens and enlarged, written as PNG files into docs/.
# Uses the windows preset's build (made when missing) and its Wine session; the UI driver of
# the tests opens each dialog's picture from the screen (its "shot" step).
#
#   bash scripts/dialog-screenshots.sh
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build=build/windows
if [ ! -x "$build/bin/launcher.exe" ] || [ ! -e "$build/wine_fixtures/ui_driver.exe" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows
fi

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
wine_session_paths "$build"
started=
if ! wine_session_is_up; then
  wine_session_start "$build"
  started=1
fi
wine_session_export
trap '[ -z "$started" ] || wine_session_stop "$build" >/dev/null 2>&1' EXIT

root=$WINEPREFIX/drive_c/dialog-screenshots
wroot='C:\dialog-screenshots'
rm -rf "$root" && mkdir -p "$root/jre/bin/server" docs
cp "$build/bin/launcher.exe" "$root/MyApp.exe"
cp "$build/wine_fixtures/jvm_full.dll" "$root/jre/bin/server/jvm.dll"
: >"$root/app.jar"

# shoot CAPTION STEP...: the launcher started while the UI driver works on the dialog, both in
# a Wine virtual desktop, which draws the windows' frames itself (Xvfb has no window manager).
desktop=/desktop=LauncherDialogs,1024x768
shoot() {
  local caption=$1 && shift
  wine explorer "$desktop" "$build/wine_fixtures/ui_driver.exe" --dialog "$wroot\\" "$caption" \
    "$@" >/dev/null 2>&1 &
  local driver=$!
  (cd "$root" && JVM_ROLE=throw-trace JVM_LOG="$wroot\\jvm.log" timeout -k 5 120 \
    wine explorer "$desktop" "$root/MyApp.exe") </dev/null >/dev/null 2>&1 || true
  wait $driver || true
}

printf '%s\r\n' '[Java Runtime Environment]' 'Main Class=com.example.Main' 'Minimum Version=21' \
  '[Class Path]' 'Class Path=\app.jar' >"$root/MyApp.ini"
shoot 'JRE Not Found' sleep:1000 "shot:$wroot\\jre-not-found.bmp" key:27

printf '%s\r\n' '[Java Runtime Environment]' 'Main Class=com.example.Main' "JRE Path=$wroot\\jre" \
  '[Class Path]' 'Class Path=\app.jar' '[Application]' 'Failure Check=Yes' >"$root/MyApp.ini"
shoot 'Java Exception' sleep:1000 "shot:$wroot\\java-exception.bmp" size:640,520 sleep:1000 \
  "shot:$wroot\\java-exception-enlarged.bmp" click:2

# BMP (24-bit, bottom-up) to PNG, with Python's own zlib.
for name in jre-not-found java-exception java-exception-enlarged; do
  python3 - "$root/$name.bmp" "docs/dialog-$name.png" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
width, height = struct.unpack_from('<ii', data, 18)
stride = (width * 3 + 3) & ~3
rows = []
for y in range(abs(height)):
    source = height - 1 - y if height > 0 else y
    row = data[offset + source * stride: offset + source * stride + width * 3]
    rows.append(b'\0' + bytes(b for i in range(0, len(row), 3) for b in (row[i + 2], row[i + 1], row[i])))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
PY
  echo "docs/dialog-$name.png"
done
rm -rf "$root"
