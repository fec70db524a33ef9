#!/bin/sh
# Runs every fuzz target for SECONDS each, two at a time (the build machine has
# two cores), building first when needed.
#   fuzz/run.sh SECONDS [TARGET...]
# A crash does not end a run: each target runs in a child process that is started
# again after a crash, hang or out-of-memory, for the whole time given.
# Corpora grow under build/fuzz/corpus/<target>/ (seeded from build/fuzz/seeds/);
# crashes, hangs and out-of-memory inputs are kept in fuzz/findings/<target>/,
# and each target's log (with the final exec/s and cov: figures) in
# build/fuzz/logs/<target>.log.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: fuzz/run.sh SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
case $seconds in
    ''|*[!0-9]*) echo "fuzz/run.sh: SECONDS must be a whole number" >&2; exit 2 ;;
esac

all="songinfo set_file sng_file brevant_cfg tvk_prf wave_reader newsletter track_analysis"
# A target is named as in the table (sng_file) or by its executable (fuzz_sng_file, a path
# to it); an unknown name is an error, so a typo never reads as a clean run.
targets=
for given in "$@"; do
    name=$(basename "$given" .exe)
    name=${name#fuzz_}
    case " $all " in
        *" $name "*)
            case "$targets " in *" $name "*) ;; *) targets="$targets $name" ;; esac ;;
        *) echo "fuzz/run.sh: unknown target '$given'; known targets: $all" >&2; exit 2 ;;
    esac
done
targets=${targets:-$all}

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
findings=${FUZZ_FINDINGS_DIR:-$here/findings}
jobs=${FUZZ_PARALLEL:-2}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
fi
cmake --build "$build" -j2 >/dev/null

run_one() {
    name=$1
    corpus=$build/corpus/$name
    out=$findings/$name
    mkdir -p "$corpus" "$out" "$build/logs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz_$name" "$corpus" "$build/seeds/$name" \
        -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$out/" -print_final_stats=1 \
        >"$build/logs/$name.log" 2>&1 || true
    last=$(grep -aE '^#[0-9]+' "$build/logs/$name.log" | tail -n 1)
    found=$(find "$out" -type f | wc -l)
    if [ -z "$last" ]; then
        # No progress line: the fuzzer never ran, which must not look like a clean run.
        echo "$name: did not run; see $build/logs/$name.log" >&2
        touch "$build/logs/$name.failed"
        return
    fi
    echo "$name: $last; findings: $found"
}

rm -f "$build"/logs/*.failed
running=0
for name in $targets; do
    run_one "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait
        running=0
    fi
done
wait
# An empty findings folder means nothing was found.
find "$findings" -type d -empty -delete 2>/dev/null || true
if ls "$build"/logs/*.failed >/dev/null 2>&1; then
    exit 1
fi
