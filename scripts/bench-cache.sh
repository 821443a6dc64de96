#!/usr/bin/env bash
# Class-data cache benchmark (not a test): real applications that nobody here wrote, started
# interleaved round by round on each installed runtime (OpenJDK 17 and Temurin 25), four ways:
#   java     `java -cp` as a user would type it
#   off      the launcher without "Class Data Cache"
#   warm     the launcher with "Class Data Cache=Auto" and its archive in place
#   first    the same with the cache folder emptied before each run: the start that writes it
# The applications: Rhino (Debian's package "rhino", installed here with apt-get when it is
# missing) running a small script, and javac (the JDK's own com.sun.tools.javac.Main, in the
# jdk.compiler module) compiling one small file.
#
#   scripts/bench-cache.sh [--rounds N] [--launcher PATH]
#
#   --rounds N       measured rounds (default 10), after one unmeasured warm-up round
#   --launcher PATH  use this launcher instead of building the linux-release preset
#
# Reports median wall time, CPU time (user+sys, the child processes included) and peak RSS,
# measured by benchmarks/measure.c through wait4, the ratios of `java -cp` to each launcher way,
# and the archive sizes. Output to standard output and build/bench-cache/report.md; raw figures
# in build/bench-cache/results.txt.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds=10
launcher=""
while (($#)); do
  case "$1" in
    --rounds) rounds="$2"; shift 2 ;;
    --launcher) launcher="$2"; shift 2 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "bench-cache: unknown argument $1" >&2; exit 2 ;;
  esac
done
work="$repo/build/bench-cache"
say() { echo "bench-cache: $*" >&2; }
jdks=(/usr/lib/jvm/java-17-openjdk-amd64 /usr/lib/jvm/temurin-25-jdk-amd64)

# --- Rhino, from Debian's packages ----------------------------------------------------------
rhinoJar=/usr/share/java/js.jar
if [[ ! -f "$rhinoJar" ]]; then
  say "installing rhino"
  sudo=""
  ((EUID == 0)) || sudo=sudo
  $sudo apt-get install -y --no-install-recommends rhino >/dev/null
fi

# --- the launcher, built for Release --------------------------------------------------------
if [[ -z "$launcher" ]]; then
  say "building the launcher (linux-release)"
  (cd "$repo" && cmake --preset linux-release >/dev/null &&
    cmake --build build/linux-release --target launcher -j 2 >/dev/null)
  launcher="$repo/build/linux-release/bin/launcher"
fi
launcher="$(realpath "$launcher")"

rm -rf "$work"
mkdir -p "$work/tools" "$work/empty" "$work/out"
cc -O2 -Wall -Wextra -o "$work/tools/measure" "$repo/benchmarks/measure.c"
measure="$work/tools/measure"
# Every launcher's cache lies below the work folder.
export XDG_CACHE_HOME="$work/cache"

cat >"$work/script.js" <<'JS'
var words = [];
for (var i = 0; i < 2000; i++) words.push("w" + i);
var lengths = {};
words.forEach(function (w) { lengths[w] = w.length; });
print(Object.keys(lengths).reduce(function (sum, k) { return sum + lengths[k]; }, 0));
JS
cat >"$work/Small.java" <<'JAVA'
import java.util.List;
import java.util.stream.Collectors;

public class Small {
  public static void main(String[] args) {
    System.out.println(List.of(args).stream().map(String::toUpperCase).collect(Collectors.joining(",")));
  }
}
JAVA
# javac's class path: an empty jar (the launcher starts nothing without a class path).
(cd "$work/empty" && jar --create --file "$work/empty.jar" --no-manifest -C "$work/empty" .)

apps=(rhino javac)
mainOf() { [[ $1 == rhino ]] && echo org.mozilla.javascript.tools.shell.Main || echo com.sun.tools.javac.Main; }
jarOf() { [[ $1 == rhino ]] && realpath "$rhinoJar" || echo "$work/empty.jar"; }
argsOf() {
  if [[ $1 == rhino ]]; then echo "$work/script.js"; else echo "-d $work/out/$2 $work/Small.java"; fi
}

# One folder per runtime and application; in it the launcher under three names, each with its
# settings file: Off (no cache), Warm and First (cache on).
for jdk in "${jdks[@]}"; do
  for app in "${apps[@]}"; do
    folder="$work/$(basename "$jdk")-$app"
    mkdir -p "$folder/lib"
    cp "$(jarOf "$app")" "$folder/lib/app.jar"
    for name in Off Warm First; do
      cp "$launcher" "$folder/$name"
      {
        echo "[Java Runtime Environment]"
        echo "Main Class=$(mainOf "$app")"
        echo "Maximum Version=any"
        echo "JRE Path=$jdk"
        [[ $name == Off ]] || echo "Class Data Cache=Auto"
        echo "[Class Path]"
        echo "Class Path=lib\\app.jar"
      } >"$folder/$name.ini"
    done
  done
done

ways=(java off warm first)
runOne() { # jdk app way: prints measure's line
  local jdk="$1" app="$2" way="$3" folder="$work/$(basename "$1")-$2" args
  read -r -a args <<<"$(argsOf "$app" "$(basename "$jdk")-$way")"
  case "$way" in
    java) "$measure" -q -- "$jdk/bin/java" -cp "$folder/lib/app.jar" "$(mainOf "$app")" "${args[@]}" ;;
    off) "$measure" -q -- "$folder/Off" "${args[@]}" ;;
    warm) "$measure" -q -- "$folder/Warm" "${args[@]}" ;;
    first)
      rm -rf "$XDG_CACHE_HOME/First"
      "$measure" -q -- "$folder/First" "${args[@]}"
      ;;
  esac
}

# Each runtime and application has its own cache root, so that emptying the First launcher's
# cache folder before a run touches no other.
results="$work/results.txt"
: >"$results"
loadBefore="$(cut -d' ' -f1-3 /proc/loadavg)"
say "measuring: 1 warm-up round and $rounds rounds of $((${#jdks[@]} * ${#apps[@]} * ${#ways[@]})) runs"
for ((round = 0; round <= rounds; round++)); do
  shift=$((round % ${#ways[@]}))
  for jdk in "${jdks[@]}"; do
    for app in "${apps[@]}"; do
      for way in "${ways[@]:shift}" "${ways[@]:0:shift}"; do
        export XDG_CACHE_HOME="$work/cache/$(basename "$jdk")-$app"
        read -r wall cpu rss code faults <<<"$(runOne "$jdk" "$app" "$way")"
        [[ "$code" == 0 ]] || { say "$jdk $app $way ended with $code in round $round"; exit 1; }
        ((round == 0)) || echo "$round $(basename "$jdk") $app $way $wall $cpu $rss" >>"$results"
      done
    done
  done
done
loadAfter="$(cut -d' ' -f1-3 /proc/loadavg)"

# --- report --------------------------------------------------------------------------------
commit="$(cd "$repo" && git rev-parse --short HEAD 2>/dev/null || echo unknown)"
{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(uname -sr), load average" \
    "$loadBefore before and $loadAfter after; launcher at commit $commit; $rounds rounds after" \
    "one warm-up round, the ways of each application interleaved and rotated round by round."
  echo
  echo "| Runtime | Application | Way | Wall (ms) | CPU (ms) | Peak RSS (MiB) | \`java -cp\` wall / this | \`java -cp\` CPU / this | RSS − \`java -cp\` (MiB) |"
  echo "|---|---|---|---:|---:|---:|---:|---:|---:|"
  for jdk in "${jdks[@]}"; do
    for app in "${apps[@]}"; do
      for way in "${ways[@]}"; do
        awk -v j="$(basename "$jdk")" -v a="$app" -v w="$way" '
          function median(list, n,   i, k, t) {
            for (i = 2; i <= n; i++) { t = list[i]; for (k = i - 1; k >= 1 && list[k] > t; k--) list[k + 1] = list[k]; list[k + 1] = t }
            return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
          }
          $2 == j && $3 == a && $4 == "java" { jw[++nj] = $5; jc[nj] = $6; jr[nj] = $7 }
          $2 == j && $3 == a && $4 == w { wall[++n] = $5; cpu[n] = $6; rss[n] = $7 }
          END {
            mw = median(wall, n); mc = median(cpu, n); mr = median(rss, n)
            printf "| %s | %s | %s | %.0f | %.0f | %.1f | %.2f | %.2f | %+.1f |\n", j, a, w, mw / 1000, mc / 1000, mr / 1024, median(jw, nj) / mw, median(jc, nj) / mc, (mr - median(jr, nj)) / 1024
          }' "$results"
      done
    done
  done
  echo
  echo "Archives (written by the Warm launchers):"
  echo
  for jdk in "${jdks[@]}"; do
    for app in "${apps[@]}"; do
      for file in "$work/cache/$(basename "$jdk")-$app/Warm"/*; do
        echo "- $(basename "$jdk"), $app: $(basename "$file"), $(($(stat -c %s "$file") / 1024)) KiB"
      done
    done
  done
} | tee "$work/report.md"
