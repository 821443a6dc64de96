# The architecture of the VM library that "JRE Path" names: a 32-bit x86 image goes to the
# paired program, when there is one, which gets the launch; anything else is loaded here, and
# headers that lie cannot crash the check (message 222 with ERROR_BAD_EXE_FORMAT, 193).
app img.exe && put tool32.exe "$FIXTURES/ui_driver.exe"
export PAIRED_EXIT=3
pair=('[Application]' "Pair Product=${W}tool32.exe" 'Pair Return Code=Yes')
home x86 x86 && ini '[Java Runtime Environment]' 'Main Class=a.B' "JRE Path=$H" "${pair[@]}"
run && expect 3 && rm "$D/paired.txt"
ini '[Java Runtime Environment]' 'Main Class=a.B' "JRE Path=$H\\"
run && expect 255 "Failed to load Java VM library: $H\\bin\\server\\jvm.dll (errno = 193).\n"

z=$(printf '\\0%.0s' {1..58}) # 58 NUL bytes, written for printf
while read -r image bytes; do
  home "$image" empty && printf "$bytes" >"$D/$image/bin/server/jvm.dll"
  ini '[Java Runtime Environment]' 'Main Class=a.B' "JRE Path=$H" "${pair[@]}"
  run && expect 255 "Failed to load Java VM library: $H\\bin\\server\\jvm.dll (errno = 193).\n"
done <<EOF
two_bytes MZ
short MZ$z\0\0\0
past_end MZ$z\xf0\xff\xff\x7f
negative MZ$z\xc0\xff\xff\xff$z
signature_cut MZ$z\x40\0\0\0PE\0
text not\x20a\x20library\r\n
EOF

# A 64-bit library is loaded here (and lacks the VM's entry points); a 32-bit runtime shipped
# beside the launcher is never handed on.
home x64 no_exports && ini '[Java Runtime Environment]' 'Main Class=a.B' "JRE Path=$H" "${pair[@]}"
run && expect 255 'Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n'
home jre64 x86 client && put jre64/bin/java.dll
ini '[Java Runtime Environment]' 'Main Class=a.B' "${pair[@]}"
run && expect 255 "Failed to load Java VM library: $H\\bin\\client\\jvm.dll (errno = 193).\n"
[ ! -e "$D/paired.txt" ] || fail "a library that is no 32-bit x86 runtime was handed on"
