# Single-instance mode on the stand-in VM: second starts hand their arguments to the running
# primary, whose secondaryMain logs them, and end with its reply or its exit code. No box may
# show on any road: the UI driver watches the whole case.
GATE=$ROOT.gate && export JVM_GATE="$WROOT.gate"
BOXES=

# primary ROLE ARGS...: the launcher in the background (PRIMARY), with a fresh log.
primary() { rm -f "$LOG" && in_background "$D" "$@"; }
in_background() {
  (cd "$1" && JVM_ROLE=$2 exec timeout -k 5 120 wine "$1/$APP" "${@:3}") </dev/null >/dev/null 2>&1 &
  PRIMARY=$!
}
# second ARGS...: a second start, waited for; RC: its exit code.
second() {
  (cd "$D" && exec timeout -k 5 120 wine "$D/$APP" "$@") </dev/null >/dev/null 2>&1
  RC=$?
}
# finish PID: waits for a start in the background; RC: its exit code.
finish() {
  wait "$1"
  RC=$?
  ! grep -aq '^unexpected' "$LOG" 2>/dev/null || fail "the stand-in VM saw a call it does not take"
}
# logged LINE: waits (a minute at most) until the stand-in VM has logged a line starting so.
logged() {
  for _ in $(seq 3000); do grep -aq "^$1" "$LOG" 2>/dev/null && return 0; sleep 0.02; done
  fail "the stand-in VM never logged [$1]"
}
lines() { grep -a "^$1" "$LOG" | tr -d '\r' | sort | paste -sd'|'; }
open_gate_later() { sleep 3 && touch "$GATE"; }

app one.exe a && home jre full && put app.jar
# With JVM_GATE=$HANDED_OVER the primary's VM creation waits until a second start has written
# its arguments into the shared record (named by the executable's path, "\" as "_"): that
# second start is made while the VM is being created.
HANDED_OVER="area:${W//\\/_}one.exe"

vm_ini '[Application]' 'Single Instance=yes' 'Cmd=from-cmd'
wine "$FIXTURES/ui_driver.exe" "$WROOT\\" >"$ROOT.boxes" 2>/dev/null &
DRIVER=$!

# The void form: 0 at once; the second start's own arguments (never "Cmd"'s), up to the first
# empty one, in at most 1040 bytes. The primary ends when main returns.
fits=$(printf 'f%.0s' {1..518})
touch "$GATE" && primary serve hold && logged main
second 'a b' 'é中😀' -nosplash && expect 0
second x '' y && expect 0
second && expect 0
second throw && expect 0
second "$fits" && expect 0
second "${fits}f" && expect 255
second "$fits" '' && expect 255
second stop && expect 0
finish $PRIMARY && expect 0
same 'hold|from-cmd' "$(log arg)" "the primary's arguments"
same "secondary <>|secondary <a b> <\\u00e9\\u4e2d\\ud83d\\ude00> <-nosplash>|secondary <$fits>|\
secondary <stop>|secondary <throw>|secondary <x>" "$(lines secondary)" 'hand-overs of the void form'
same 'java/lang/IllegalStateException: thrown by secondaryMain' "$(log describe)" 'thrown'

# The int form: its result, after the call; a call that throws returns 0.
primary serve-int && logged main
second code 42 && expect 42
second code -3 && expect 253
second a b c && expect 3
second throw && expect 0
second stop && expect 1
finish $PRIMARY && expect 0
same 5 "$(grep -ac '^secondary-int' "$LOG")" 'hand-overs of the int form'

# Made while the VM is created, a hand-over is served once main has been entered.
JVM_GATE=$HANDED_OVER primary serve-int && logged 'option exit'
second code 9 && expect 9
grep -a -A50 '^helper' "$LOG" | grep -aq '^secondary-int <code> <9>' || fail 'served before main was called'
second stop && expect 1 && finish $PRIMARY && expect 0

# Without a reply a second start ends with the primary's exit code: a primary that never
# reaches main, one without secondaryMain, one that ends with 259 (STILL_ACTIVE).
while read -r role code; do
  JVM_GATE=$HANDED_OVER primary "$role" && logged 'option exit'
  second x && expect "$code"
  finish $PRIMARY && expect "$code"
done <<'EOF2'
missing 1
serve-none 7
exit:259 3
EOF2

# Only "yes" exactly: with "Yes" each start runs the application itself (both wait at the
# gate, which opens a while after).
vm_ini '[Application]' 'Single Instance=Yes'
rm -f "$GATE" && primary exit:5 && logged 'option exit'
open_gate_later & JVM_ROLE=exit:5 second && expect 5
finish $PRIMARY && expect 5
same 2 "$(grep -ac '^main' "$LOG")" 'mains of two independent starts'

# Copies in two folders never see each other.
vm_ini '[Application]' 'Single Instance=yes'
mkdir "$ROOT/b" && cp -r "$D"/. "$ROOT/b" && touch "$GATE"
primary serve && first=$PRIMARY && in_background "$ROOT/b" serve && other=$PRIMARY
for _ in $(seq 3000); do [ "$(grep -ac '^main' "$LOG" 2>/dev/null)" = 2 ] && break; sleep 0.02; done
same 2 "$(grep -ac '^main' "$LOG")" 'mains of two copies'
second stop && expect 0 && (D=$ROOT/b && second stop && exit $RC) && expect 0
finish $first && expect 0 && finish $other && expect 0

# Fifty second starts at once, each with arguments of its own, against the int form: each
# hand-over reaches secondaryMain once and intact, each start ends with its own reply.
primary serve-int && logged main
declare -a starts=() expected=()
for i in $(seq 0 49); do
  payload=$(printf "$(printf '\\x%x' $((97 + i % 26)))%.0s" $(seq 0 $((i * 9))))
  (second code "$i" "$payload" && exit $RC) &
  starts[i]=$!
  expected[i]="secondary-int <code> <$i> <$payload>"
done
for i in $(seq 0 49); do finish "${starts[i]}" && expect "$i"; done
second stop && expect 1 && finish $PRIMARY && expect 0
same "$(printf '%s\n' "${expected[@]}" 'secondary-int <stop>' | sort | paste -sd'|')" \
  "$(lines secondary-int)" 'fifty hand-overs'

kill $DRIVER && wait $DRIVER 2>/dev/null
same '' "$(tr -d '\r' <"$ROOT.boxes")" 'boxes shown'
