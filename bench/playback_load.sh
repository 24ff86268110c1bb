#!/usr/bin/env bash
# Load of the playing engine and cost of its thread and file layers:
#  - CPU time of 30 s of real-time playback of a 320 kbit/s stereo file on the null sink;
#  - velkaro-cli decode against velk-bench-decode on a 10-minute 320 kbit/s file.
# Usage: bench/playback_load.sh [BUILD_DIR]   (needs sox and lame)
set -euo pipefail
build=${1:-build}
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 600 sine 220:880 sine 330:1320 vol 0.5
lame --quiet -b 320 "$work/tone.wav" "$work/song.mp3"

cpu_seconds() { tail -n 1 "$1" | awk '{ print $1 + $2 }'; }

VELKARO_AUDIO=null /usr/bin/time -f "%U %S" -o "$work/play.time" \
  timeout -s TERM 30 "$bin/velkaro-cli" play "$work/song.mp3" </dev/null >/dev/null 2>&1 || true
play_cpu=$(cpu_seconds "$work/play.time")
echo "playback: $play_cpu s of CPU in 30 s = $(awk -v c="$play_cpu" 'BEGIN { printf "%.2f", c / 30 * 100 }') % of one core"

# CPU time rather than wall time: it holds steady when other work shares the machine.
/usr/bin/time -f "%U %S" -o "$work/bench.time" "$bin/velk-bench-decode" "$work/song.mp3" >/dev/null
/usr/bin/time -f "%U %S" -o "$work/cli.time" "$bin/velkaro-cli" decode "$work/song.mp3" "$work/out.wav" 2>/dev/null
bench_cpu=$(cpu_seconds "$work/bench.time")
cli_cpu=$(cpu_seconds "$work/cli.time")
awk -v a="$bench_cpu" -v b="$cli_cpu" 'BEGIN {
  printf "CPU: velk-bench-decode %.3f s, velkaro-cli decode %.3f s, ratio %.2f\n", a, b, b / a }'
