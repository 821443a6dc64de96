#!/usr/bin/env bash
# Hand-over benchmark (not a test): how long a second start in single-instance mode takes, from
# launch until it has exited, when the primary's secondaryMain returns at once; against starting
# a process that does nothing (/bin/true), interleaved round by round. The difference is what
# the hand-over adds: the launcher's start, reading its settings, the lock, the socket, the
# primary's thread attaching to the VM and calling secondaryMain, and the reply.
#
#   scripts/bench-handover.sh [--rounds N] [--launcher PATH] [--jdk JAVA_HOME]
#
#   --rounds N       measured rounds (default 200); 20 unmeasured warm-up rounds come first
#   --launcher PATH  use this launcher instead of building the linux-release preset
#   --jdk JAVA_HOME  the primary's runtime (default /usr/lib/jvm/java-17-openjdk-amd64)
#
# Reports median and 90th-percentile wall time and median CPU time (user+sys) of each, measured
# by benchmarks/measure.c through wait4. Report: standard output and build/bench-handover/report.md.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds=200
launcher=""
jdk=/usr/lib/jvm/java-17-openjdk-amd64
while (($#)); do
  case "$1" in
    --rounds) rounds="$2"; shift 2 ;;
    --launcher) launcher="$2"; shift 2 ;;
    --jdk) jdk="$2"; shift 2 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "bench-handover: unknown argument $1" >&2; exit 2 ;;
  esac
done
work="$repo/build/bench-handover"
say() { echo "bench-handover: $*" >&2; }

if [[ -z "$launcher" ]]; then
  say "building the launcher (linux-release)"
  (cd "$repo" && cmake --preset linux-release >/dev/null &&
    cmake --build --preset linux-release --target launcher >/dev/null)
  launcher="$repo/build/linux-release/bin/launcher"
fi
[[ -x "$launcher" ]] || { say "no launcher at $launcher"; exit 2; }

rm -rf "$work"
mkdir -p "$work/tools" "$work/classes" "$work/app" "$work/run"
chmod 700 "$work/run"
cc -O2 -Wall -Wextra -o "$work/tools/measure" "$repo/benchmarks/measure.c"
measure="$work/tools/measure"
javac --release 11 -d "$work/classes" "$repo/benchmarks/java/Handover.java"
jar --create --file "$work/app/handover.jar" -C "$work/classes" .
cp "$launcher" "$work/app/handover"
printf '%s\n' '[Java Runtime Environment]' "JRE Path=$jdk" 'Main Class=Handover' \
  'Virtual Machine Parameters=-Xmx64m' '[Application]' 'Single Instance=yes' \
  '[Class Path]' 'Class Path=handover.jar' >"$work/app/handover.ini"

# The primary, in its own runtime folder; the first hand-over returns once main has begun.
export XDG_RUNTIME_DIR="$work/run"
"$work/app/handover" >/dev/null 2>&1 &
primary=$!
trap '"$work/app/handover" stop >/dev/null 2>&1 || kill $primary 2>/dev/null; wait $primary 2>/dev/null || true' EXIT
until [[ -S "$(ls "$work"/run/java-launcher/*.sock 2>/dev/null | head -1)" ]]; do sleep 0.01; done
"$work/app/handover" warm-up || { say "the first hand-over failed"; exit 1; }

results="$work/results.txt"
: >"$results"
for ((round = -20; round < rounds; round++)); do
  # Alternate which goes first, so that neither always follows the other.
  if ((round % 2)); then order=(handover nothing); else order=(nothing handover); fi
  for variant in "${order[@]}"; do
    case $variant in
      handover) line=$("$measure" -q -- "$work/app/handover" "file-$round.txt") ;;
      nothing) line=$("$measure" -q -- /bin/true) ;;
    esac
    ((round < 0)) || echo "$round $variant $line" >>"$results"
  done
done

report=$(awk -v rounds="$rounds" '
  function sorted(list, a,    n, i, j, v) {
    n = split(list, a, " ")
    for (i = 2; i <= n; i++) { v = a[i] + 0; for (j = i - 1; j >= 1 && a[j] + 0 > v; j--) a[j + 1] = a[j]; a[j + 1] = v }
    return n
  }
  function pick(list, q,    a, n) { n = sorted(list, a); return a[int((n - 1) * q) + 1] }
  { wall[$2] = wall[$2] " " $3; cpu[$2] = cpu[$2] " " $4; if ($6 != 0) bad[$2]++ }
  END {
    printf "| %s rounds | median wall | 90th pct wall | median CPU |\n|---|---|---|---|\n", rounds
    split("handover nothing", names, " ")
    for (k = 1; k <= 2; k++) {
      v = names[k]
      printf "| %s | %.2f ms | %.2f ms | %.2f ms |\n", \
        (v == "handover" ? "second start, hand-over and reply" : "/bin/true"), \
        pick(wall[v], 0.5) / 1000, pick(wall[v], 0.9) / 1000, pick(cpu[v], 0.5) / 1000
      if (bad[v]) printf "| (%s: %d runs did not end with 0) | | | |\n", v, bad[v]
    }
    printf "\nThe hand-over adds %.2f ms (median wall time).\n", \
      (pick(wall["handover"], 0.5) - pick(wall["nothing"], 0.5)) / 1000
  }' "$results")
{
  echo "Runtime of the primary: $jdk; $(nproc) processors; $(uname -r)"
  echo
  echo "$report"
} | tee "$work/report.md"
