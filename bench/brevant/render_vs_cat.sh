#!/bin/bash
# The whole brevant-render process against `cat` of the same track files, best
# of N runs each, taken in turns in the same run, output to /dev/shm; then the
# render is compared byte for byte with the mix playback makes block by block.
#
#   bench/brevant/render_vs_cat.sh BUILD_DIR [RUNS] [SECONDS]
#
# BUILD_DIR is a native build (e.g. build/native). The song (10 tracks of
# SECONDS, 5 stereo and 5 mono, 44100 Hz) is made in a temporary folder and
# removed at the end. Figures are wall time; the CPU time of the render (all
# its threads) is printed beside them.
set -euo pipefail
build=${1:?usage: render_vs_cat.sh BUILD_DIR [RUNS] [SECONDS]}
runs=${2:-9}
seconds=${3:-180}
render=$build/brevant/cli/brevant-render
maker=$build/bench/brevant/brevant_bench_song
out=/dev/shm/brevant-render-vs-cat.wav
reference=/dev/shm/brevant-render-vs-cat-reference.wav
dir=$(mktemp -d)
trap 'rm -rf "$dir" "$out" "$reference"' EXIT

"$maker" "$dir" --seconds "$seconds" --reference "$reference"
tracks=("$dir"/track*.wav)
cat "${tracks[@]}" >/dev/null  # warm the page cache

# Bash's own `time`: wall, user and system seconds of the child, in ms.
TIMEFORMAT='%3R %3U %3S'
measure() { { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%d %d\n", $1 * 1000000, ($2 + $3) * 1000000 }'; }
best_cat=999999999
best_render=999999999
best_cpu=999999999
for _ in $(seq "$runs"); do
    read -r wall _ < <(measure cat "${tracks[@]}")
    (( wall < best_cat )) && best_cat=$wall
    read -r wall cpu < <(measure "$render" "$dir/bench.sng" "$out")
    (( wall < best_render )) && best_render=$wall
    (( cpu < best_cpu )) && best_cpu=$cpu
done
bytes=$(cat "${tracks[@]}" | wc -c)
echo "tracks: 10 x ${seconds} s (5 stereo, 5 mono), $bytes bytes; best of $runs runs"
echo "cat of the tracks : $(( best_cat / 1000 )).$(( best_cat % 1000 / 100 )) ms wall"
echo "brevant-render    : $(( best_render / 1000 )).$(( best_render % 1000 / 100 )) ms wall, $(( best_cpu / 1000 )) ms cpu"
awk -v r="$best_render" -v c="$best_cat" 'BEGIN { printf "render / cat      : %.2fx\n", r / c }'
if cmp -s "$out" "$reference"; then
    echo "output            : identical to the block-by-block mix"
else
    echo "output            : DIFFERS from the block-by-block mix" >&2
    exit 1
fi
