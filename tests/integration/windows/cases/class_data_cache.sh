# "Class Data Cache" on the stand-in VM, whose home's release file names the Java version: the
# options for each version; the archive that the stand-in writes at the VM's end renamed into
# %LOCALAPPDATA%\<name>\ and marked with the time its size gives, then mapped by the next start;
# an archive cut short written anew; System.exit still leaving the archive; nothing written
# without the key.
app Tool.exe && home jre full && put app.jar
# Wine sets LOCALAPPDATA from the user's profile, whatever the Unix environment says.
local_folder=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
cache=$(winepath -u "$local_folder\\Tool" 2>/dev/null)
[ -n "$local_folder" ] && [ -n "$cache" ] || fail "no LOCALAPPDATA under Wine"
mark=$((946684800 + 2 * 8192))
cache_ini() {
  ini '[Java Runtime Environment]' "JRE Path=$H" 'Main Class=com.example.Main' "$@" \
    '[Class Path]' 'Class Path=\app.jar'
}
# The options between the class path and the application's name (then the hooks), with {W}, {digest} and {pid} in place of
# the application's folder, the archive's digest and the process id.
cache_options() {
  local options
  options=$(log option)
  options=${options//"$W"/'{W}'}
  options=${options//"$local_folder"/'{local}'}
  options=${options#'-Djava.class.path={W}app.jar'}
  options=${options%'|abort (hook)|exit (hook)'}
  options=${options%'|-Dsun.java.command=com.example.Main'}
  options=${options%'-Dsun.java.command=com.example.Main'}
  sed -E 's/[0-9a-f]{16}/{digest}/; s/\.[0-9]+\.tmp/.{pid}.tmp/; s/^\|//' <<<"$options"
}
# The files of the cache folder, each as NAME SIZE TIME.
archives() {
  for file in "$cache"/*; do
    [ -e "$file" ] && echo "$(basename "$file") $(stat -c '%s %Y' "$file")"
  done | sed -E 's/[0-9a-f]{16}/{digest}/' | paste -sd'|'
}

A='{local}\Tool\{digest}'
# version # options of a first start # options of the next start (the cache's options only)
while IFS='#' read -r version create use; do
  rm -rf "$cache"
  if [ "$version" = - ]; then rm -f "$D/jre/release"; else
    printf 'JAVA_VERSION="%s"\r\n' "$version" >"$D/jre/release"
  fi
  cache_ini 'Class Data Cache=auto'
  run && expect 0
  same "$create" "$(cache_options)" "options of a first start on $version"
  if [ -z "$create" ]; then
    same '' "$(archives)" "cache folder on $version"
    continue
  fi
  name="{digest}.$([[ $create == *AOTCache* ]] && echo aot || echo jsa)"
  same "$name 8192 $mark" "$(archives)" "archive of the first start on $version"
  run && expect 0
  same "$use" "$(cache_options)" "options of the next start on $version"
  same "$name 8192 $mark" "$(archives)" "archive after the next start on $version"
  # Cut short with its mark put back: written anew.
  truncate -s 4096 "$cache"/* && touch -d @$mark "$cache"/*
  run && expect 0
  same "$create" "$(cache_options)" "options after a cut archive on $version"
  same "$name 8192 $mark" "$(archives)" "archive written anew on $version"
done <<EOF2
-##
1.8.0_392##
12.0.2##
13#-Xshare:auto|-Xlog:cds*=off|-XX:ArchiveClassesAtExit=$A.jsa.{pid}.tmp#-Xshare:auto|-Xlog:cds*=off|-XX:SharedArchiveFile=$A.jsa
17.0.9#-Xshare:auto|-Xlog:cds*=off|-XX:ArchiveClassesAtExit=$A.jsa.{pid}.tmp#-Xshare:auto|-Xlog:cds*=off|-XX:SharedArchiveFile=$A.jsa
19#-Xshare:auto|-Xlog:cds*=off|-XX:+AutoCreateSharedArchive|-XX:SharedArchiveFile=$A.jsa.{pid}.tmp#-Xshare:auto|-Xlog:cds*=off|-XX:+AutoCreateSharedArchive|-XX:SharedArchiveFile=$A.jsa
24.0.1#-Xshare:auto|-Xlog:cds*=off|-XX:+AutoCreateSharedArchive|-XX:SharedArchiveFile=$A.jsa.{pid}.tmp#-Xshare:auto|-Xlog:cds*=off|-XX:+AutoCreateSharedArchive|-XX:SharedArchiveFile=$A.jsa
25#-Xlog:aot*=off|-Xlog:cds*=off|-XX:+UnlockDiagnosticVMOptions|-XX:-DisplayVMOutput|-XX:AOTCacheOutput=$A.aot.{pid}.tmp#-Xlog:aot*=off|-Xlog:cds*=off|-XX:AOTCache=$A.aot
26-ea#-Xlog:aot*=off|-Xlog:cds*=off|-XX:+UnlockDiagnosticVMOptions|-XX:-DisplayVMOutput|-XX:AOTCacheOutput=$A.aot.{pid}.tmp#-Xlog:aot*=off|-Xlog:cds*=off|-XX:AOTCache=$A.aot
EOF2

# System.exit: the archive is put in place from the VM's exit hook.
rm -rf "$cache"
printf 'JAVA_VERSION="17.0.9"\r\n' >"$D/jre/release"
JVM_ROLE=exit:3 run && expect 3
same "{digest}.jsa 8192 $mark" "$(archives)" 'archive after System.exit'

# Without the key, or with another value: nothing in the cache folder, no cache options.
for line in '' 'Class Data Cache=yes'; do
  rm -rf "$cache"
  cache_ini ${line:+"$line"}
  run && expect 0
  same '' "$(cache_options)" "options with [$line]"
  [ ! -e "$cache" ] || fail "a cache folder with [$line]"
done
rm -rf "$cache"
