# The runtimes that vendors register (written by "wine reg" in the native and the 32-bit view),
# and which one the launcher takes. Every Java home holds an empty jvm.dll, which cannot be
# loaded (193), so message 222 names the one taken. This case and modern_runtimes.sh write the
# registry; ctest runs them one at a time.
jre='HKLM\Software\JavaSoft\Java Runtime Environment'
reg() { wine reg add "$2" /v JavaHome /d "$3" /f /reg:$1 >/dev/null 2>&1 || fail "reg add $2"; }
unreg() { for view in 32 64; do wine reg delete 'HKLM\Software\JavaSoft' /f /reg:$view >/dev/null 2>&1; done; true; }
# taken KIND HOME LINE...: with these settings lines, the launcher takes HOME's KIND VM.
taken() {
  local dll="$W$2\\bin\\$1\\jvm.dll" && shift 2 && ini '[Java Runtime Environment]' 'Main Class=a.B' "$@"
  run && expect 255 "Failed to load Java VM library: $dll (errno = 193).\n"
}
unreg && app reg.exe

ini '[Java Runtime Environment]' 'Main Class=a.B' 'Minimum Version=99' 'Maximum Version=any' 'JRE Path=C:\nowhere'
run && nojre 'a JRE (minimum version 99.0)'
for version in 1.6.0_45:jre6 1.8.0_151:jre8 1.7.0_80:jre7; do
  home ${version#*:} empty client && reg 64 "$jre\\${version%%:*}" "$H"
done
# The highest version in range, unless "Preferred versions" names another; list order wins.
taken client jre8 'Maximum Version=any'
taken client jre7 'Maximum Version=1.7'
taken client jre6 'Minimum Version=1.6' 'Maximum Version=1.6'
taken client jre7 'Maximum Version=any' 'Preferred versions=1.7'
taken client jre6 'Maximum Version=any' 'Preferred versions=1.5;1.6'
taken client jre6 'Maximum Version=any' 'Preferred versions=1.6;1.8'
# A JDK's runtime is in its jre folder, and a favoured JDK outranks a newer JRE.
home jdk7/jre empty client && reg 64 'HKLM\Software\JavaSoft\Java Development Kit\1.7.0_80' "${W}jdk7"
taken client 'jdk7\jre' 'Maximum Version=any' 'JVM Source=favor_JDK'
# "server" takes only homes with a server VM, whatever their version.
home jre5 empty server && reg 64 "$jre\\1.5.0_22" "$H"
taken server jre5 'Maximum Version=any' 'JVM Type=server'
ini '[Java Runtime Environment]' 'Main Class=a.B' 'Minimum Version=1.6' 'Maximum Version=1.8' 'JVM Type=server'
run && nojre 'a JRE with a server JVM (version between 1.6 and 1.8)'
# An empty JavaHome names no folder, and never the root of the drive, which has a VM here.
mkdir -p "$WINEPREFIX/drive_c/bin/client" && : >"$WINEPREFIX/drive_c/bin/client/jvm.dll"
reg 64 "$jre\\9.0.4" ''
taken client jre8 'Maximum Version=any'
rm -r "$WINEPREFIX/drive_c/bin"

# The 32-bit view is searched only with a paired program, which then gets the launch with the
# launcher's own command line; its exit code is the launcher's with "Pair Return Code".
unreg && home x86jre8 x86 client && reg 32 "$jre\\1.8.0_151" "$H" && put tool32.exe "$FIXTURES/ui_driver.exe"
ini '[Java Runtime Environment]' 'Main Class=a.B' 'Maximum Version=any'
run && nojre 'a JRE (latest version)'
export PAIRED_EXIT=7
pair=('Maximum Version=any' '[Application]' "Pair Product=${W}tool32.exe")
ini '[Java Runtime Environment]' 'Main Class=a.B' "${pair[@]}" 'Pair Return Code=Yes'
run one 'two words' && expect 7
same "\"${W}reg.exe\" one \"two words\"" "$(cat "$D/paired.txt")" "the paired program's command line"
rm "$D/paired.txt"
ini '[Java Runtime Environment]' 'Main Class=a.B' "${pair[@]}"
run && expect 0
for _ in {1..100}; do [ -e "$D/paired.txt" ] && break || sleep 0.1; done
[ -e "$D/paired.txt" ] || fail "the paired program did not run"
# A runtime of the native view comes first, and is hosted here.
rm -f "$D/paired.txt" && home jre7 empty client && reg 64 "$jre\\1.7.0_80" "$H"
taken client jre7 "${pair[@]}" 'Pair Return Code=Yes'
[ ! -e "$D/paired.txt" ] || fail "a runtime of the native view was handed on"
unreg
