# The architecture check of a VM library named by "JRE Path": a real 32-bit x86 DLL goes to
# the paired program, anything else (a 64-bit DLL, truncated or hostile headers) is loaded
# here. The check reads the headers within the file's size, so a hostile file cannot crash
# the launcher; it then fails to load with message 222.
source "$(dirname "${BASH_SOURCE[0]}")/../discovery/discovery.sh"
app_create images.exe

# A 32-bit runtime with a paired program: handed on.
rt_home x86 server 32
paired=$(rt_paired_probe 3)
rt_settings 'Maximum Version=any' "JRE Path=$RT_HOME" -- "Pair Product=$paired" \
  'Pair Return Code=Yes'
launcher_start
launcher_wait
expect_exit 3
expect_file paired-report.txt

# The same runtime without a paired program: loaded here, which a 64-bit process cannot.
rt_settings 'Maximum Version=any' "JRE Path=$RT_HOME\\"
rt_run_to_box
rt_expect_load_failure "$RT_HOME\\bin\\server\\jvm.dll" 193
expect_exit 255

# Headers the launcher keeps for itself: none of them reaches the paired program.
image_file() { # NAME: a crafted jvm.dll in images/NAME
  mkdir -p "$APP_DIR/images"
  local file=$APP_DIR/images/$1.dll
  case $1 in
  two_bytes) printf 'MZ' >"$file" ;;
  sixty_three_bytes) { printf 'MZ'; head -c 61 /dev/zero; } >"$file" ;;
  lfanew_past_end) { printf 'MZ'; head -c 58 /dev/zero; printf '\xf0\xff\xff\x7f'; } >"$file" ;;
  lfanew_negative) { printf 'MZ'; head -c 58 /dev/zero; printf '\xc0\xff\xff\xff'; head -c 64 /dev/zero; } >"$file" ;;
  signature_cut) { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\x00\x00\x00PE\x00'; } >"$file" ;;
  text) printf 'not a library\r\n' >"$file" ;;
  esac
  echo "$file"
}
for image in two_bytes sixty_three_bytes lfanew_past_end lfanew_negative signature_cut text; do
  rt_home "$image" server "$(image_file "$image")"
  paired=$(rt_paired_probe 3)
  rt_settings 'Maximum Version=any' "JRE Path=$RT_HOME" -- "Pair Product=$paired" \
    'Pair Return Code=Yes'
  rt_run_to_box
  rt_expect_load_failure "$RT_HOME\\bin\\server\\jvm.dll" 193
  expect_exit 255
  expect_no_file paired-report.txt
done

# A real 64-bit DLL is loaded here; it lacks the VM's entry points, which the launcher reports.
rt_home x64 server 64
paired=$(rt_paired_probe 3)
rt_settings 'Maximum Version=any' "JRE Path=$RT_HOME" -- "Pair Product=$paired" \
  'Pair Return Code=Yes'
rt_run_to_box
expect_exit 255
expect_no_file paired-report.txt

# A shipped runtime is never handed on, even a 32-bit one.
rt_home jre64 client 32
app_write jre64/bin/java.dll ''
paired=$(rt_paired_probe 3)
rt_settings 'Maximum Version=any' -- "Pair Product=$paired" 'Pair Return Code=Yes'
rt_run_to_box
rt_expect_load_failure "${APP_WIN_DIR}jre64\\bin\\client\\jvm.dll" 193
expect_exit 255
expect_no_file paired-report.txt
