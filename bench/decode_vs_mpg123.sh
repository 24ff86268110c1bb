#!/usr/bin/env bash
# Decode speed of velk-bench-decode against mpg123 on the same files in the same run: a
# ten-minute 44.1 kHz stereo signal encoded at 320 kbit/s and as V2 VBR with lame, and at
# 192 kbit/s Layer II with twolame. Prints each tool's wall time and the ratio.
#
# usage: bench/decode_vs_mpg123.sh [BUILD_DIR] [SECONDS]
#   BUILD_DIR  where bin/velk-bench-decode lives (default: build)
#   SECONDS    signal length (default: 600)
set -euo pipefail

build_dir=${1:-build}
seconds=${2:-600}
decoder="$build_dir/bin/velk-bench-decode"
for tool in sox lame twolame mpg123; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (apt-get install $tool)" >&2; exit 1; }
done
[ -x "$decoder" ] || { echo "missing: $decoder (build the velk-bench-decode target)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Music-like material: pink noise under a slow sweep and a held chord, different per channel,
# with a tremolo so the encoder switches block types now and then.
sox -n -r 44100 -c 2 -b 16 "$work/signal.wav" synth "$seconds" \
    pinknoise sine 220-1760 synth "$seconds" sine mix 440 synth "$seconds" sine mix 660 \
    tremolo 3 40 vol 0.5 2>/dev/null
lame --quiet -b 320 "$work/signal.wav" "$work/cbr320.mp3"
lame --quiet -V 2 "$work/signal.wav" "$work/v2.mp3"
twolame --quiet -b 192 "$work/signal.wav" "$work/l2_192.mp2"

# Best of three runs of a command, in seconds.
best_of_three() {
    local best=""
    for _ in 1 2 3; do
        local start end elapsed
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        elapsed=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$elapsed < $best" | bc -l)" = 1 ]; then best=$elapsed; fi
    done
    echo "$best"
}

printf '%-12s %10s %10s %8s\n' file velk mpg123 ratio
for file in cbr320.mp3 v2.mp3 l2_192.mp2; do
    ours=$(best_of_three "$decoder" "$work/$file")
    theirs=$(best_of_three mpg123 -q -w /dev/null "$work/$file")
    printf '%-12s %9.3fs %9.3fs %8.2f\n' "$file" "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
done
