#!/usr/bin/env bash
# Splash benchmark (not a test): what showing a splash screen adds to the start of the
# hello-world application (benchmarks/java/Hello.java). Four ways on one JDK, under an Xvfb
# display of its own, interleaved round by round, each round starting one way further on:
#   launcher          the Release launcher, "JRE Path" pinned, no [Display] settings
#   launcher+splash   the same with "Splash Screen" naming an 800 by 600 PNG (scripts/splash-image.py),
#                     shown through the runtime's lib/libsplashscreen.so
#   java              the JDK's `java -cp`
#   java+splash       `java -splash:` with the same image, for comparison
# Each start is measured by benchmarks/measure.c (wall time, CPU time of every thread, peak
# RSS). The application ends as soon as main returns, so the splash is shown and closed again
# in every start: the figure is the whole cost of a splash to the start.
#
#   scripts/bench-splash.sh [--rounds N] [--launcher PATH] [--jdk JAVA_HOME]
#
#   --rounds N       measured rounds (default 30); one unmeasured warm-up round comes first
#   --launcher PATH  use this launcher instead of building the linux-release preset
#   --jdk JAVA_HOME  the runtime (default /usr/lib/jvm/temurin-25-jdk-amd64)
#
# Prints a Markdown table of medians and the paired differences (per round, median), and
# saves it to build/bench-splash/report.md, with the raw figures in results.txt beside it.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds=30
launcher=""
jdk=/usr/lib/jvm/temurin-25-jdk-amd64
while (($#)); do
  case "$1" in
    --rounds) rounds="$2"; shift 2 ;;
    --launcher) launcher="$2"; shift 2 ;;
    --jdk) jdk="$2"; shift 2 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "bench-splash: unknown argument $1" >&2; exit 2 ;;
  esac
done
say() { echo "bench-splash: $*" >&2; }
work="$repo/build/bench-splash"

if [[ -z "$launcher" ]]; then
  say "building the launcher (linux-release)"
  (cd "$repo" && cmake --preset linux-release >/dev/null &&
    cmake --build build/linux-release --target launcher -j 2 >/dev/null)
  launcher="$repo/build/linux-release/bin/launcher"
fi
launcher="$(realpath "$launcher")"

rm -rf "$work"
mkdir -p "$work/classes" "$work/plain/lib" "$work/splash/lib"
cc -O2 -Wall -Wextra -o "$work/measure" "$repo/benchmarks/measure.c"
javac --release 11 -d "$work/classes" "$repo/benchmarks/java/Hello.java"
jar --create --file "$work/hello.jar" -C "$work/classes" .
python3 "$repo/scripts/splash-image.py" "$work/splash.png" 800 600

settings() {
  printf '[Java Runtime Environment]\nJRE Path=%s\nMain Class=Hello\nVirtual Machine Parameters=-Xmx64m\n[Class Path]\nClass Path=lib/hello.jar\n' "$jdk"
}
for way in plain splash; do
  cp "$launcher" "$work/$way/hello" && cp "$work/hello.jar" "$work/$way/lib/"
done
settings >"$work/plain/hello.ini"
{ settings && printf '[Display]\nSplash Screen=%s\n' "$work/splash.png"; } >"$work/splash/hello.ini"

# The display: an Xvfb server of the benchmark's own.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for ((i = 0; i < 100; i++)); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
export DISPLAY=":$(cat "$work/display")"

names=(launcher launcher+splash java java+splash)
start() {
  case $1 in
    0) "$work/measure" -q -- "$work/plain/hello" ;;
    1) "$work/measure" -q -- "$work/splash/hello" ;;
    2) "$work/measure" -q -- "$jdk/bin/java" -Xmx64m -cp "$work/hello.jar" Hello ;;
    3) "$work/measure" -q -- "$jdk/bin/java" -Xmx64m -splash:"$work/splash.png" -cp "$work/hello.jar" Hello ;;
  esac
}
say "$rounds rounds on $jdk, display $DISPLAY"
: >"$work/results.txt"
for ((round = 0; round <= rounds; round++)); do
  for ((k = 0; k < 4; k++)); do
    way=$(((round + k) % 4))
    line=$(start $way)
    [[ $(cut -d' ' -f4 <<<"$line") == 0 ]] || { say "${names[way]} failed: $line"; exit 1; }
    ((round == 0)) || echo "$round $way $line" >>"$work/results.txt"
  done
done

awk -v names="${names[*]}" '
  function median(list, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && list[j - 1] > list[j]; j--) {
      t = list[j]; list[j] = list[j - 1]; list[j - 1] = t
    }
    return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
  }
  { wall[$2, $1] = $3; cpu[$2, $1] = $4; rss[$2, $1] = $5; if ($1 > rounds) rounds = $1 }
  END {
    split(names, name, " ")
    print "| Way of starting | Wall time (ms) | CPU time (ms) | Peak RSS (MiB) |"
    print "|---|---:|---:|---:|"
    for (w = 0; w < 4; w++) {
      for (r = 1; r <= rounds; r++) { a[r] = wall[w, r]; b[r] = cpu[w, r]; c[r] = rss[w, r] }
      printf "| %s | %.1f | %.1f | %.1f |\n", name[w + 1], median(a, rounds) / 1000,
        median(b, rounds) / 1000, median(c, rounds) / 1024
    }
    print ""
    print "| With the splash, paired per round (median) | Wall time (ms) | CPU time (ms) |"
    print "|---|---:|---:|"
    for (p = 0; p < 4; p += 2) {
      for (r = 1; r <= rounds; r++) {
        a[r] = wall[p + 1, r] - wall[p, r]; b[r] = cpu[p + 1, r] - cpu[p, r]
      }
      printf "| %s over %s | %+.1f | %+.1f |\n", name[p + 2], name[p + 1],
        median(a, rounds) / 1000, median(b, rounds) / 1000
    }
  }' "$work/results.txt" | tee "$work/report.md"
