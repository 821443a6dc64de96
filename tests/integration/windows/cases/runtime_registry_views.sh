# lock: registry
# The 32-bit registry view is searched only when a paired program is set, after the native
# view, and a runtime found there is handed to the paired program with the launcher's own
# command line.
source "$(dirname "${BASH_SOURCE[0]}")/../discovery/discovery.sh"
app_create views.exe

rt_home x86jre8 client 32
reg_add 32 "$RT_JRE_KEY\\1.8.0_151" JavaHome "$RT_HOME"

# Without "Pair Product" the 32-bit view is not searched: nothing is found.
rt_settings 'Maximum Version=any'
rt_run_to_box
rt_expect_not_found 'latest version'
expect_exit 255

# With it, the paired program runs the application and its exit code is the launcher's.
paired=$(rt_paired_probe 7)
rt_settings 'Maximum Version=any' -- "Pair Product=$paired" 'Pair Return Code=Yes'
launcher_start one 'two words'
launcher_wait
expect_exit 7
report=$(rt_await_report)
case "$report" in
*views.exe*'one "two words"') ;;
*) fail "the paired program got [$report], not the launcher's command line" ;;
esac
case "$report" in
*tool32.exe*) fail "the paired program's own name is in its command line: [$report]" ;;
esac

# Without "Pair Return Code" the launcher ends with 0 at once; the paired program still runs.
paired=$(rt_paired_probe 7)
rt_settings 'Maximum Version=any' -- "Pair Product=$paired"
launcher_start
launcher_wait
expect_exit 0
[ -n "$(rt_await_report)" ] || fail "the paired program did not run"

# A runtime of the native view comes first and is hosted here.
rt_home jre8 client
reg_add 64 "$RT_JRE_KEY\\1.7.0_80" JavaHome "$RT_HOME"
paired=$(rt_paired_probe 7)
rt_settings 'Maximum Version=any' -- "Pair Product=$paired" 'Pair Return Code=Yes'
rt_run_to_box
rt_expect_load_failure "${APP_WIN_DIR}jre8\\bin\\client\\jvm.dll" 193
expect_exit 255
expect_no_file paired-report.txt
