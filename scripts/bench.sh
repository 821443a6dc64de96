#!/usr/bin/env bash
# Start-up benchmark (not a test): a hello-world application started three ways, interleaved
# round by round on the same JDK with the same VM options:
#   launcher  the Release launcher, copied and renamed beside its settings file, "JRE Path" pinned
#   java      the JDK's own `java -cp`
#   host      benchmarks/minimal_jni_host.c: dlopen the same libjvm.so, create the VM on a new
#             thread, call main, destroy the VM, nothing else
# and, as a reference that explains part of the difference, the same host loading the main class
# through the runtime's LauncherHelper, as the launcher and `java` do (host-lh);
# and the launcher's own work before the VM exists: the launcher and the minimal host both
# started on a stub VM library (benchmarks/stub_jvm.c) that ends the process when the VM is
# asked for, so that what remains is everything each does before JNI_CreateJavaVM; and, timed
# inside the launcher's own code (benchmarks/runtime_search_timing.cpp), reading the settings
# and the runtime search over this machine's runtime folders when no "JRE Path" is pinned;
# and the cost of a wildcard class-path entry over a folder of many (empty) jars, against the
# same application with one jar there, with `java` given the same entries as a baseline; and,
# measured directly, the launcher's own class-path work for those folders
# (benchmarks/class_path_expansion.cpp, linked against the launcher's core library).
#
#   scripts/bench.sh [--rounds N] [--jars N] [--launcher PATH] [--jdk JAVA_HOME]
#
#   --rounds N       measured rounds (default 20); one unmeasured warm-up round comes first
#   --jars N         jars in the large class-path folder (default 5000)
#   --launcher PATH  use this launcher instead of building the linux-release preset
#   --jdk JAVA_HOME  the runtime for all three; default: the one the launcher picks by itself
#
# Reports median wall time, median CPU time (user+sys of the whole process) and median peak
# RSS, measured by benchmarks/measure.c through wait4, and the cost of touching a fresh page of
# memory on this machine (benchmarks/page_touch.c), on which start-up work of this size depends.
# The report goes to standard output and to build/bench/report.md; the raw figures to
# build/bench/results.txt.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds=20
jars=5000
launcher=""
jdk=""
vmOptions=(-Xmx64m)
while (($#)); do
  case "$1" in
    --rounds) rounds="$2"; shift 2 ;;
    --jars) jars="$2"; shift 2 ;;
    --launcher) launcher="$2"; shift 2 ;;
    --jdk) jdk="$2"; shift 2 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "bench: unknown argument $1" >&2; exit 2 ;;
  esac
done
small=$((jars / 5))
((small >= 1)) || small=1

work="$repo/build/bench"
say() { echo "bench: $*" >&2; }

# --- the launcher, built for Release --------------------------------------------------------
if [[ -z "$launcher" ]]; then
  say "building the launcher (linux-release)"
  if [[ -f "$repo/CMakePresets.json" ]] && (cd "$repo" && cmake --list-presets 2>/dev/null) |
      grep -q '"linux-release"'; then
    (cd "$repo" && cmake --preset linux-release >/dev/null)
  else
    cmake -S "$repo" -B "$repo/build/linux-release" -DCMAKE_BUILD_TYPE=Release \
      -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
  fi
  cmake --build "$repo/build/linux-release" --target launcher -j 2 >/dev/null
  launcher="$repo/build/linux-release/bin/launcher"
fi
[[ -x "$launcher" ]] || { say "no launcher at $launcher"; exit 2; }
launcher="$(realpath "$launcher")"

rm -rf "$work"
mkdir -p "$work/tools" "$work/classes"

# --- the application -----------------------------------------------------------------------
javac --release 11 -d "$work/classes" "$repo/benchmarks/java/Hello.java"
jar --create --file "$work/hello.jar" -C "$work/classes" .

# Ships the launcher as a user would: a renamed copy, its settings file, lib/hello.jar.
# Arguments: folder, program name, class path value, and "JRE Path" (empty for none).
stage() {
  local folder="$1" name="$2" classPath="$3" jrePath="$4"
  mkdir -p "$folder/lib"
  cp "$work/hello.jar" "$folder/lib/hello.jar"
  cp "$launcher" "$folder/$name"
  {
    echo "[Java Runtime Environment]"
    echo "Main Class=Hello"
    echo "Minimum Version=11"
    echo "Maximum Version=any"
    [[ -z "$jrePath" ]] || echo "JRE Path=$jrePath"
    echo "Virtual Machine Parameters=${vmOptions[*]}"
    echo "[Class Path]"
    echo "Class Path=$classPath"
  } >"$folder/$name.ini"
}

# --- the runtime: the launcher's own pick unless one was named ------------------------------
if [[ -z "$jdk" ]]; then
  stage "$work/probe" Probe '\lib\hello.jar' ""
  if ! jdk="$("$work/probe/Probe" --home)" || [[ -z "$jdk" ]]; then
    say "the launcher could not start the probe application; is hosting in place?"
    exit 1
  fi
  say "the launcher picks $jdk"
fi
jdk="$(realpath "$jdk")"
libjvm="$jdk/lib/server/libjvm.so"
[[ -f "$libjvm" ]] || { say "no $libjvm"; exit 2; }

cc -O2 -Wall -Wextra -o "$work/tools/measure" "$repo/benchmarks/measure.c"
cc -O2 -Wall -Wextra -I"$jdk/include" -I"$jdk/include/linux" -o "$work/tools/minimal_jni_host" \
  "$repo/benchmarks/minimal_jni_host.c" -ldl -lpthread
cc -O2 -Wall -Wextra -o "$work/tools/page_touch" "$repo/benchmarks/page_touch.c"
measure="$work/tools/measure"
host="$work/tools/minimal_jni_host"

# The stub runtime: a home whose VM library ends the process when a VM is asked for.
stubHome="$work/stub-jre"
mkdir -p "$stubHome/lib/server"
cc -O2 -Wall -Wextra -shared -fPIC -I"$jdk/include" -I"$jdk/include/linux" \
  -o "$stubHome/lib/server/libjvm.so" "$repo/benchmarks/stub_jvm.c"
echo 'JAVA_VERSION="99"' >"$stubHome/release"

# The launcher's class-path code and runtime search, straight from the core library built with
# it.
expansion=""
searchTiming=""
core="$(dirname "$launcher")/../src/liblauncher_core.a"
buildWithCore() {
  c++ -O2 -std=c++17 -I"$repo/src" -I"$jdk/include" -I"$jdk/include/linux" \
    -o "$work/tools/$1" "$repo/benchmarks/$1.cpp" "$core" -ldl -lpthread
}
if [[ ! -f "$core" ]]; then
  say "no $core beside the launcher: the direct measurements are left out"
else
  if buildWithCore class_path_expansion; then
    expansion="$work/tools/class_path_expansion"
  else
    say "benchmarks/class_path_expansion.cpp no longer builds against the core library: left out"
  fi
  if buildWithCore runtime_search_timing; then
    searchTiming="$work/tools/runtime_search_timing"
  else
    say "benchmarks/runtime_search_timing.cpp no longer builds against the core library: left out"
  fi
fi

# --- the staged applications ---------------------------------------------------------------
stage "$work/app" Bench '\lib\hello.jar' "$jdk"
hostCommand=("$host" "$libjvm" Hello "-Djava.class.path=$work/app/lib/hello.jar" "${vmOptions[@]}" --)
hostHelperCommand=("$host" --launcher-helper "${hostCommand[@]:1}")
javaCommand=("$jdk/bin/java" "${vmOptions[@]}" -cp "$work/app/lib/hello.jar" Hello)

# Before the VM: the same application on the stub runtime, and one with nothing pinned for the
# runtime search.
stage "$work/prevm" PreVm '\lib\hello.jar' "$stubHome"
prevmHostCommand=("$host" "$stubHome/lib/server/libjvm.so" Hello
  "-Djava.class.path=$work/prevm/lib/hello.jar" "${vmOptions[@]}" --)
stage "$work/search" Search '\lib\hello.jar' ""

# Class-path folders: the same application with 1, $small and $jars empty jars in jars/.
# `java` gets the same entries, listed, through an argument file (one argument could not hold
# them all).
declare -A cpFolder
for size in 1 "$small" "$jars"; do
  folder="$work/cp-$size"
  stage "$folder" CpBench '\lib\hello.jar;\jars\*.jar' "$jdk"
  mkdir -p "$folder/jars"
  (cd "$folder/jars" && seq -f 'j%05g.jar' 1 "$size" | xargs touch)
  {
    printf -- '-cp "%s' "$folder/lib/hello.jar"
    for file in "$folder"/jars/*.jar; do printf ':%s' "$file"; done
    printf '"\n'
  } >"$folder/java.args"
  cpFolder[$size]="$folder"
done

variants=(launcher java host host-lh prevm-launcher prevm-host
  cp1-launcher cpS-launcher cpN-launcher cp1-java cpS-java cpN-java)

# Runs one variant behind the given command prefix (env, or the measuring wrapper).
commandFor() {
  local variant="$1"; shift
  case "$variant" in
    launcher) "$@" "$work/app/Bench" ;;
    java) "$@" "${javaCommand[@]}" ;;
    host) "$@" "${hostCommand[@]}" ;;
    host-lh) "$@" "${hostHelperCommand[@]}" ;;
    prevm-launcher) "$@" "$work/prevm/PreVm" ;;
    prevm-host) "$@" "${prevmHostCommand[@]}" ;;
    cp1-launcher) "$@" "${cpFolder[1]}/CpBench" ;;
    cpS-launcher) "$@" "${cpFolder[$small]}/CpBench" ;;
    cpN-launcher) "$@" "${cpFolder[$jars]}/CpBench" ;;
    cp1-java) "$@" "$jdk/bin/java" "${vmOptions[@]}" "@${cpFolder[1]}/java.args" Hello ;;
    cpS-java) "$@" "$jdk/bin/java" "${vmOptions[@]}" "@${cpFolder[$small]}/java.args" Hello ;;
    cpN-java) "$@" "$jdk/bin/java" "${vmOptions[@]}" "@${cpFolder[$jars]}/java.args" Hello ;;
  esac
}

# --- every way must work, and the launcher must run the pinned runtime ----------------------
for variant in "${variants[@]}"; do
  output="$(commandFor "$variant" env 2>&1)" || { say "$variant failed: $output"; exit 1; }
  expected="Hello, world"
  [[ "$variant" != prevm-* ]] || expected="" # the stub ends the process before any Java
  [[ "$output" == "$expected" ]] || { say "$variant printed: $output"; exit 1; }
done
picked="$("$work/app/Bench" --home)"
[[ "$(realpath "$picked")" == "$jdk" ]] || { say "the launcher ran $picked, not $jdk"; exit 1; }

# --- measure, interleaved ------------------------------------------------------------------
results="$work/results.txt"
: >"$results"
loadBefore="$(cut -d' ' -f1-3 /proc/loadavg)"
say "measuring: 1 warm-up round and $rounds rounds of ${#variants[@]} runs"
for ((round = 0; round <= rounds; round++)); do
  # Each round starts one variant further on, so that no way of starting always comes first,
  # right after the heavy class-path runs that end the round before.
  shift=$((round % ${#variants[@]}))
  for variant in "${variants[@]:shift}" "${variants[@]:0:shift}"; do
    line="$(commandFor "$variant" "$measure" -q --)"
    read -r wall cpu rss code faults <<<"$line"
    [[ "$code" == 0 ]] || { say "$variant ended with $code in round $round"; exit 1; }
    ((round == 0)) || echo "$round $variant $wall $cpu $rss $code $faults" >>"$results"
  done
  # Reading the settings and the runtime search without a pinned runtime, on their own clock.
  if [[ -n "$searchTiming" ]]; then
    read -r settingsMicros searchMicros chosen < <("$searchTiming" "$work/search/Search")
    ((round == 0)) || echo "$round search $searchMicros 0 0 0 0 $settingsMicros $chosen" >>"$results"
  fi
  # The launcher's class-path work alone: its own clock, and the process's page faults.
  [[ -n "$expansion" ]] || continue
  for size in 1 "$small" "$jars"; do
    { read -r micros warm entries bytes; read -r wall cpu rss code faults; } < <(
      "$measure" -- "$expansion" "${cpFolder[$size]}/CpBench" '\lib\hello.jar;\jars\*.jar')
    [[ "$code" == 0 ]] || { say "class_path_expansion ended with $code"; exit 1; }
    ((round == 0)) ||
      echo "$round expand-$size $micros $cpu $rss $code $faults $entries $bytes $warm" >>"$results"
  done
done
loadAfter="$(cut -d' ' -f1-3 /proc/loadavg)"
pageTouch="$("$work/tools/page_touch")"

# --- report --------------------------------------------------------------------------------
jdkVersion="$("$jdk/bin/java" -version 2>&1 | sed -n 2p)"
cpuModel="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
commit="$(cd "$repo" && git rev-parse --short HEAD 2>/dev/null || echo unknown)"
{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores ($cpuModel), $(uname -sr)," \
    "load average $loadBefore before and $loadAfter after; launcher at commit $commit." \
    "First touch of a fresh 4 KiB page: $pageTouch µs."
  echo "JDK: $jdk ($jdkVersion); VM options for all three: ${vmOptions[*]}." \
    "$rounds rounds, each running every way once in turn, after one warm-up round."
  echo
  awk -v jars="$jars" -v small="$small" -f "$repo/benchmarks/report.awk" "$results"
} | tee "$work/report.md"
