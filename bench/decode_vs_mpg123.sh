#!/usr/bin/env bash
# Decode speed of velk-bench-decode against mpg123 (and ffmpeg on one thread) on the same
# files in the same run: a ten-minute 44.1 kHz stereo signal encoded with lame at 320 kbit/s
# and 128 kbit/s CBR and as V2 VBR, and with twolame at 192 kbit/s Layer II. Every tool
# decodes to nothing; each figure is the median CPU time (user + system) of five runs, and the
# ratios divide ours by the peer's (below 1.0: we are faster).
#
# usage: bench/decode_vs_mpg123.sh [BUILD_DIR] [SECONDS] [FILE_DIR]
#   BUILD_DIR  where bin/velk-bench-decode lives (default: build)
#   SECONDS    signal length (default: 600)
#   FILE_DIR   keep the encoded files here and reuse them on the next run (default: a
#              temporary folder removed at the end)
set -euo pipefail

build_dir=${1:-build}
seconds=${2:-600}
decoder="$build_dir/bin/velk-bench-decode"
for tool in sox lame twolame mpg123 ffmpeg bc; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (apt-get install $tool)" >&2; exit 1; }
done
[ -x "$decoder" ] || { echo "missing: $decoder (build the velk-bench-decode target)" >&2; exit 1; }

if [ -n "${3:-}" ]; then
    work=$3
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
stamp="$work/seconds-$seconds"

if [ ! -e "$stamp" ]; then
    rm -f "$work"/seconds-*
    # Music-like material: pink noise under a slow sweep and a held chord, different per
    # channel, with a tremolo so the encoder switches block types now and then.
    sox -n -r 44100 -c 2 -b 16 "$work/signal.wav" synth "$seconds" \
        pinknoise sine 220-1760 synth "$seconds" sine mix 440 synth "$seconds" sine mix 660 \
        tremolo 3 40 vol 0.5 2>/dev/null
    lame --quiet -b 320 "$work/signal.wav" "$work/cbr320.mp3"
    lame --quiet -b 128 "$work/signal.wav" "$work/cbr128.mp3"
    lame --quiet -V 2 "$work/signal.wav" "$work/v2.mp3"
    twolame --quiet -b 192 "$work/signal.wav" "$work/l2_192.mp2"
    rm -f "$work/signal.wav"
    touch "$stamp"
fi

# CPU seconds (user + system) of one run of a command.
cpu_seconds() {
    /usr/bin/time -o "$work/time" -f '%U %S' "$@" >/dev/null 2>&1
    awk '{ printf "%.3f\n", $1 + $2 }' "$work/time"
}

# Median of five runs, in CPU seconds.
median_of_five() {
    local runs=()
    for _ in 1 2 3 4 5; do runs+=("$(cpu_seconds "$@")"); done
    printf '%s\n' "${runs[@]}" | sort -n | sed -n 3p
}

printf '%-12s %9s %9s %9s %12s %12s\n' file velk mpg123 ffmpeg velk/mpg123 velk/ffmpeg
for file in cbr320.mp3 cbr128.mp3 v2.mp3 l2_192.mp2; do
    ours=$(median_of_five "$decoder" "$work/$file")
    mpg=$(median_of_five mpg123 -q -w /dev/null "$work/$file")
    ff=$(median_of_five ffmpeg -nostdin -v quiet -threads 1 -i "$work/$file" -f null -)
    printf '%-12s %8.3fs %8.3fs %8.3fs %12.2f %12.2f\n' "$file" "$ours" "$mpg" "$ff" \
        "$(echo "$ours / $mpg" | bc -l)" "$(echo "$ours / $ff" | bc -l)"
done
