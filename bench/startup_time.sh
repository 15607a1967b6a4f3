#!/bin/bash
# Start-up to the first painted table, under a real X server (Xvfb): runs the program N times
# (default 11) with --startup-time, on a fresh program folder, and prints each run and the
# medians of the time and of the resident memory.
#   bench/startup_time.sh [N] [BUILD_DIR] [-- extra options for quendra]
# By default the program starts Klondike (--game 0 --deal 1) without the game browser.
set -euo pipefail

runs=${1:-11}
build=${2:-build}
shift $(($# >= 2 ? 2 : $#)) || true
[[ ${1:-} == "--" ]] && shift
extra=("$@")
[[ ${#extra[@]} -eq 0 ]] && extra=(--no-browser --game 0 --deal 1)

program="$build/bin/quendra"
[[ -x $program ]] || { echo "startup_time.sh: $program is not built" >&2; exit 2; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One X server for all the runs; 24-bit colour at 1920 x 1080.
lines=$(xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
    program=$1; folder=$2; runs=$3; shift 3
    for ((i = 0; i < runs; ++i)); do
        "$program" --dir "$folder" --startup-time "$@" 2>/dev/null | grep "first table paint" || true
    done' _ "$program" "$folder" "$runs" "${extra[@]}")
[[ -n $lines ]] || { echo "startup_time.sh: no run reported a paint" >&2; exit 1; }
echo "$lines"
# "first table paint: T ms after the process started, resident memory: M MB"
ms=$(awk '{ print $4 }' <<<"$lines" | median)
mb=$(awk '{ print $(NF - 1) }' <<<"$lines" | median)
echo "median of $(wc -l <<<"$lines") runs: $ms ms to the first painted table, $mb MB resident"
