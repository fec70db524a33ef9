#!/bin/bash
# Converting a long track to 16-bit PCM: `brevant-render --convert` against sox on the same
# file, whole processes, best CPU time of N runs each in turns; dithered (both tools' default) and
# undithered (--no-dither, sox -D).
#
#   bench/brevant/convert_vs_sox.sh BUILD_DIR [RUNS] [SECONDS]
#
# The tracks (SECONDS of stereo 48000 Hz, 24-bit PCM and 32-bit float, made by sox) live in a
# temporary folder on /dev/shm and are removed at the end.
set -euo pipefail
build=${1:?usage: convert_vs_sox.sh BUILD_DIR [RUNS] [SECONDS]}
runs=${2:-5}
seconds=${3:-300}
render=$(realpath "$build/brevant/cli/brevant-render")
dir=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$dir"' EXIT

sox -n -b 24 -r 48000 -c 2 "$dir/t24.wav" synth "$seconds" sine 440 sine 554 vol 0.9
sox -n -e floating-point -b 32 -r 48000 -c 2 "$dir/tf.wav" synth "$seconds" sine 440 sine 554 vol 0.9

# CPU time (user + system) of the process: on a shared machine the wall time mostly measures
# the neighbours.
TIMEFORMAT='%3U %3S'
best() {  # best CPU time in ms of "$@" over $runs runs; removes what the run wrote
    local best=999999999 t
    for _ in $(seq "$runs"); do
        t=$({ time "$@" >/dev/null 2>&1; } 2>&1)
        t=$(echo "$t" | awk '{ printf "%d", ($1 + $2) * 1000 }')
        ((t < best)) && best=$t
        rm -f "$dir"/*16-bit*.wav "$dir"/sox.wav
    done
    echo "$best"
}
for track in t24 tf; do
    for dither in on off; do
        ours=(--convert "$dir/$track.wav")
        theirs=("$dir/$track.wav" -b 16 -e signed-integer "$dir/sox.wav")
        if [[ $dither == off ]]; then ours+=(--no-dither); theirs=(-D "${theirs[@]}"); fi
        a=$(best "$render" "${ours[@]}")
        b=$(best sox "${theirs[@]}")
        printf '%-4s %-8s dither %-3s  brevant-render %6d ms   sox %6d ms\n' \
            "$track" "${seconds}s" "$dither" "$a" "$b"
    done
done
