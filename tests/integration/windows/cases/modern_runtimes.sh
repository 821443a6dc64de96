# Today's runtimes, looked for only when "JRE Path", a shipped runtime and the older vendor
# keys offer nothing: JavaSoft's keys since Java 9, Eclipse Temurin under its three names,
# Microsoft's build and Azul Zulu, under HKLM and HKCU (written by "wine reg import" in the
# native and the 32-bit view), and JAVA_HOME. Every home holds a release file (unless its
# version is "-") and an empty bin\server\jvm.dll, which cannot be loaded (193), so message 222
# names the one taken. This case and registry.sh write the registry; ctest runs them one at a
# time.
keys=('Software\JavaSoft\Java Runtime Environment' 'Software\JavaSoft\JDK' 'Software\JavaSoft\JRE'
  'Software\Eclipse Adoptium' 'Software\Eclipse Foundation' 'Software\AdoptOpenJDK'
  'Software\Microsoft\JDK' 'Software\Azul Systems')
# regs VIEW [KEY VALUE DATA]...: one import of these string values in the 32- or 64-bit view.
regs() {
  local view=$1 && shift
  {
    printf 'REGEDIT4\r\n'
    for ((; $# >= 3; )); do printf '\r\n[%s]\r\n"%s"="%s"\r\n' "$1" "$2" "${3//\\/\\\\}" && shift 3; done
  } >"$ROOT.reg"
  wine reg import "$WROOT.reg" /reg:$view >/dev/null 2>&1 || fail "reg import $*"
}
# unreg: every key above, from both hives and both views. Wine keeps HKLM's 32-bit view in
# Wow6432Node, which the native view deletes by name.
unreg() {
  local key
  {
    printf 'REGEDIT4\r\n'
    for key in "${keys[@]}"; do
      printf '\r\n[-HKEY_LOCAL_MACHINE\\%s]\r\n[-HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\%s]\r\n[-HKEY_CURRENT_USER\\%s]\r\n' \
        "$key" "${key#Software\\}" "$key"
    done
  } >"$ROOT.reg"
  wine reg import "$WROOT.reg" /reg:64 >/dev/null 2>&1
}
# rt REL VERSION [VARIANT]: a home of today with its release file and the stand-in VARIANT
# (empty by default) as its server VM. H: its Windows path.
rt() { home "$1" "${3:-empty}" && if [ "$2" != - ]; then printf 'JAVA_VERSION="%s"\r\n' "$2" >"$D/$1/release"; fi; }
# taken HOME LINE...: with these settings lines, the launcher takes HOME's server VM.
taken() {
  local dll="$W$1\\bin\\server\\jvm.dll" && shift && ini '[Java Runtime Environment]' 'Main Class=a.B' "$@"
  run && expect 255 "Failed to load Java VM library: $dll (errno = 193).\n"
}
any='Maximum Version=any'
LM='HKEY_LOCAL_MACHINE\Software' CU='HKEY_CURRENT_USER\Software'
mkdir -p "$(dirname "$ROOT")" && unreg && app modern.exe

# Each source alone, JAVA_HOME included; a Java 8 JDK keeps its VM in its jre folder.
rt o25 25.0.1 && rt oj17 - && rt t17 17.0.9 && rt tj17 17.0.9 && rt e11 11.0.2 && rt a8/jre 1.8.0_292
rt m21 - && rt z21 21.0.3 && rt cu17 17.0.1
mv "$D/a8/jre/release" "$D/a8/release"
while IFS='|' read -r key value home; do
  unreg && regs 64 "$key" "$value" "$W$home"
  taken "$([ "$home" = a8 ] && echo 'a8\jre' || echo "$home")" "$any"
done <<EOF_SOURCES
$LM\JavaSoft\JDK\25|JavaHome|o25
$LM\JavaSoft\JRE\17.0.2|JavaHome|oj17
$LM\Eclipse Adoptium\JDK\17.0.9.9\hotspot\MSI|Path|t17
$LM\Eclipse Adoptium\JRE\17.0.9.9\hotspot\MSI|Path|tj17
$LM\Eclipse Foundation\JDK\11.0.2.7\hotspot\MSI|Path|e11
$LM\AdoptOpenJDK\JDK\8.0.292.10\hotspot\MSI|Path|a8
$LM\Microsoft\JDK\21.0.1.12\hotspot\MSI|Path|m21
$LM\Azul Systems\Zulu\zulu-21|InstallationPath|z21
$CU\Eclipse Adoptium\JDK\17.0.1.12\hotspot\MSI|Path|cu17
$CU\Azul Systems\Zulu\zulu-21-jdk|InstallationPath|z21
EOF_SOURCES
unreg && JAVA_HOME="${W}o25" taken o25 "$any"
JAVA_HOME="\"${W}o25\\\"" taken o25 "$any" # in double quotes, with a trailing "\"

# All of them at once: one list, ranked by version (the release file's, else the key's), within
# the version range, by "Preferred versions" and "JVM Source" (a Zulu home without javac.exe is
# a JRE's).
regs 64 "$LM\JavaSoft\JDK\25" JavaHome "${W}o25" "$LM\JavaSoft\JRE\17.0.2" JavaHome "${W}oj17" \
  "$LM\Eclipse Adoptium\JDK\17.0.9.9\hotspot\MSI" Path "${W}t17" \
  "$LM\Eclipse Foundation\JDK\11.0.2.7\hotspot\MSI" Path "${W}e11" \
  "$LM\AdoptOpenJDK\JDK\8.0.292.10\hotspot\MSI" Path "${W}a8" \
  "$LM\Microsoft\JDK\21.0.1.12\hotspot\MSI" Path "${W}m21" \
  "$LM\Azul Systems\Zulu\zulu-21" InstallationPath "${W}z21" \
  "$CU\Eclipse Adoptium\JDK\17.0.1.12\hotspot\MSI" Path "${W}cu17"
taken o25 "$any"
taken z21 'Maximum Version=24' # Zulu's 21.0.3 over Microsoft's 21.0.1.12
taken t17 'Maximum Version=17' # Temurin's 17.0.9 over JavaSoft's 17.0.2 and HKCU's 17.0.1
taken e11 'Minimum Version=9' 'Maximum Version=16'
taken 'a8\jre' 'Maximum Version=1.8'
taken m21 "$any" 'Preferred versions=21.0.1'
taken z21 "$any" 'JVM Source=only_JRE'
ini '[Java Runtime Environment]' 'Main Class=a.B' 'Minimum Version=26' "$any"
run && nojre 'a JRE (minimum version 26.0)'
ini '[Java Runtime Environment]' 'Main Class=a.B' "$any" 'Search Modern Runtimes=NO'
JAVA_HOME="${W}o25" run && nojre 'a JRE (latest version)'
# An old-style key wins over every newer runtime while it offers one.
rt old8 - && regs 64 "$LM\JavaSoft\Java Runtime Environment\1.8.0_151" JavaHome "${W}old8"
taken old8 "$any"
taken o25 "$any" 'Minimum Version=9'

# A 32-bit runtime of today (HKLM's 32-bit view, or HKCU, which both views share) is run
# through the paired program, and only when no runtime of the native view is admitted.
unreg && rt x17 17.0.9 x86 && rt cux21 21.0.1 x86 && put tool32.exe "$FIXTURES/ui_driver.exe"
regs 32 "$LM\Eclipse Adoptium\JDK\17.0.9.9\hotspot\MSI" Path "${W}x17" \
  "$CU\Azul Systems\Zulu\zulu-21" InstallationPath "${W}cux21"
ini '[Java Runtime Environment]' 'Main Class=a.B' "$any"
run && nojre 'a JRE (latest version)'
export PAIRED_EXIT=7
for bound in 'Maximum Version=17' "$any"; do
  ini '[Java Runtime Environment]' 'Main Class=a.B' "$bound" '[Application]' \
    "Pair Product=${W}tool32.exe" 'Pair Return Code=Yes'
  run one 'two words' && expect 7
  same "\"${W}modern.exe\" one \"two words\"" "$(cat "$D/paired.txt" 2>/dev/null)" "the paired program's command line"
  rm -f "$D/paired.txt"
done
regs 64 "$LM\Microsoft\JDK\11.0.21.9\hotspot\MSI" Path "${W}m21"
taken m21 "$any" '[Application]' "Pair Product=${W}tool32.exe" 'Pair Return Code=Yes'
[ ! -e "$D/paired.txt" ] || fail "a runtime of the native view was handed on"
unreg
