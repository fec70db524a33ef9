#!/usr/bin/env bash
# Self-test of the Wine runner: exit status, time bound, failed start, error output,
# crash, display, sound devices, parallel runs, and no run directory left behind.
set -u
runner=$1
probe=$2
failures=0
passes=0
check() {  # name expected actual
  if [ "$2" = "$3" ]; then
    echo "ok   $1"
    passes=$((passes + 1))
  else
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}

cache=$(mktemp -d)
export WINE_RUN_CACHE=$cache
export WINE_RUN_TIMEOUT=60
strip() { tr -d '\r'; }

"$runner" "$probe" exit 0; check "exit 0 passes through" 0 $?
"$runner" "$probe" exit 7; check "exit 7 passes through" 7 $?
# The bound must hit while the program runs. On a loaded machine Wine can take longer than
# the bound to start it, which the runner reports as 125: then try a longer bound.
bound=3
for attempt in 1 2 3; do
  out=$(WINE_RUN_TIMEOUT=$bound "$runner" "$probe" sleep 60); status=$?
  [ $status = 125 ] || break
  echo "note: the ${bound}s bound hit while Wine was still starting (try $attempt)"
  bound=$((bound * 2))
done
check "time bound gives 124 once the program runs" "124 sleeping" "$status $(echo "$out" | strip)"
WINE_RUN_TIMEOUT=0.2 "$runner" "$probe" sleep 60 2>/dev/null
check "a bound hit before the program ran gives 125" 125 $?
"$runner" "$cache/missing.exe" 2>/dev/null; check "a start that failed gives 126" 126 $?
check "error lines holding non-UTF-8 bytes come through whole and in order" \
  "$(printf 'before\ncannot open Don\222t.txt\nafter')" \
  "$("$runner" "$probe" ansi-errors 2>&1 >/dev/null | strip)"
"$runner" "$probe" crash >/dev/null 2>&1; status=$?
check "a crash fails instead of hanging in the debugger" yes "$([ $status -ne 0 ] && echo yes)"
check "a window can be created" "window ok" "$("$runner" "$probe" window | strip)"
check "one wave output and one wave input" "out 1 in 1" "$("$runner" "$probe" wave | strip)"

# Two runs at once, each in its own prefix and display.
"$runner" "$probe" exit 3 & first=$!
"$runner" "$probe" exit 4 & second=$!
wait $first; a=$?
wait $second; b=$?
check "parallel runs keep their own status" "3 4" "$a $b"

check "no run directory is left behind" "" "$(ls "$cache/runs")"
rm -rf "$cache"
echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
