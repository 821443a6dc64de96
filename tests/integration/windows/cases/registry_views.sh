# lock: registry
# The registry fixtures the runtime-search cases rely on: a value written in the 32-bit view
# is seen there (under Wow6432Node) and not in the native view, and the other way round.
key='HKLM\Software\LauncherTestVendor\Java Runtime Environment\1.8'
reg_add 64 "$key" JavaHome 'C:\jre-native'
reg_add 32 "$key" JavaHome 'C:\jre-32'
expect_eq "native view" 'C:\jre-native' "$(reg_query 64 "$key" JavaHome)"
expect_eq "32-bit view" 'C:\jre-32' "$(reg_query 32 "$key" JavaHome)"
expect_eq "Wow6432Node" 'C:\jre-32' \
  "$(reg_query 64 'HKLM\Software\Wow6432Node\LauncherTestVendor\Java Runtime Environment\1.8' JavaHome)"
reg_cleanup
reg_query 64 "$key" JavaHome >/dev/null && fail "the native fixture outlived its case"
reg_query 32 "$key" JavaHome >/dev/null && fail "the 32-bit fixture outlived its case"
