# lock: registry
# When no source yields a runtime, the launcher names the requirement (message 207, or 206 for
# "server") and ends with -1. A "JRE Path" without a VM library does not stop the search.
source "$(dirname "${BASH_SOURCE[0]}")/../discovery/discovery.sh"
app_create notfound.exe

rt_settings 'Minimum Version=99' 'Maximum Version=any' 'JRE Path=C:\nowhere'
rt_run_to_box
rt_expect_not_found 'minimum version 99.0'
expect_exit 255

rt_settings 'Minimum Version=1.6' 'Maximum Version=1.8' 'JVM Type=server'
rt_run_to_box
rt_expect_not_found 'version between 1.6 and 1.8' server
expect_exit 255
expect_files_left $'notfound.exe\nnotfound.ini'
