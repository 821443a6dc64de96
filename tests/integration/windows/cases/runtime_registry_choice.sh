# lock: registry
# Which registry runtime the launcher takes, seen in message 222: every Java home here holds an
# empty jvm.dll, so the launcher names the one it chose when it fails to load it (193).
source "$(dirname "${BASH_SOURCE[0]}")/../discovery/discovery.sh"
app_create choice.exe

for version in 1.6.0_45:jre6 1.8.0_151:jre8 1.7.0_80:jre7; do
  rt_home "${version#*:}" client
  reg_add 64 "$RT_JRE_KEY\\${version%%:*}" JavaHome "$RT_HOME"
done
home=${APP_WIN_DIR}

# expect_choice HOME LINE...: with these settings lines the launcher takes HOME's client VM.
expect_choice() {
  local chosen=$1
  shift
  rt_settings "$@"
  rt_run_to_box
  rt_expect_load_failure "${home}${chosen}\\bin\\client\\jvm.dll" 193
  expect_exit 255
}

# The highest version in range, unless "Preferred versions" names another; list order wins.
expect_choice jre8 'Maximum Version=any'
expect_choice jre7 'Maximum Version=1.7'
expect_choice jre6 'Minimum Version=1.6' 'Maximum Version=1.6'
expect_choice jre7 'Maximum Version=any' 'Preferred versions=1.7'
expect_choice jre6 'Maximum Version=any' 'Preferred versions=1.5;1.6'
expect_choice jre6 'Maximum Version=any' 'Preferred versions=1.6;1.8'

# A JDK is looked for in its jre folder, and a favoured JDK outranks a newer JRE.
rt_home jdk7/jre client
reg_add 64 "$RT_JDK_KEY\\1.7.0_80" JavaHome "${home}jdk7"
rt_settings 'Maximum Version=any' 'JVM Source=favor_JDK'
rt_run_to_box
rt_expect_load_failure "${home}jdk7\\jre\\bin\\client\\jvm.dll" 193
expect_exit 255

# "server" takes only homes with a server VM, whatever their version.
rt_home jre5 server
reg_add 64 "$RT_JRE_KEY\\1.5.0_22" JavaHome "$RT_HOME"
rt_settings 'Maximum Version=any' 'JVM Type=server'
rt_run_to_box
rt_expect_load_failure "${home}jre5\\bin\\server\\jvm.dll" 193
expect_exit 255

# An empty JavaHome is skipped rather than read as the root of the drive.
reg_add 64 "$RT_JRE_KEY\\9.0.4" JavaHome ''
rt_settings 'Maximum Version=any'
rt_run_to_box
rt_expect_load_failure "${home}jre8\\bin\\client\\jvm.dll" 193
expect_exit 255
