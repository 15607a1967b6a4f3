#!/bin/bash
# Start-up to the first painted table, under a real X server (Xvfb at 1920 x 1080 x 24).
#   bench/startup_time.sh [N] [BUILD_DIR] [-- extra options for quendra]
# By default the program starts Klondike (--game 0 --deal 1) without the game browser.
#
# Each of the N rounds (11 by default) runs, one after the other on the same X server:
#  - quendra under quendra_first_paint_watch, which times from outside the program (from before
#    the fork to the window mapped, and to the first time the screen shows the table with cards)
#    and reads its resident memory at that moment and two seconds after the map;
#  - Aisleriot's Klondike (`sol --variation klondike`) under the same watch, when it is
#    installed, so that both programs are measured the same way with the load falling on both
#    (AISLERIOT=path names another program file, AISLERIOT=none leaves it out);
#  - quendra --startup-time, the program's own figure (from the process start as the kernel
#    records it to the first paint of the table, the processor time used by then and the
#    resident memory then).
# The processor time to the table is printed for every program: the load of other work on the
# machine stretches the elapsed times far more than it.
# It prints every round, the load (uptime) before and after, and the medians.
set -euo pipefail

runs=${1:-11}
build=${2:-build}
shift $(($# >= 2 ? 2 : $#)) || true
[[ ${1:-} == "--" ]] && shift
extra=("$@")
[[ ${#extra[@]} -eq 0 ]] && extra=(--no-browser --game 0 --deal 1)

program="$build/bin/quendra"
watch="$build/bin/quendra_first_paint_watch"
[[ -x $program ]] || { echo "startup_time.sh: $program is not built" >&2; exit 2; }
[[ -x $watch ]] || { echo "startup_time.sh: $watch is not built (needs the xcb headers); only quendra's own figure" >&2; watch=; }
sol=${AISLERIOT:-$(command -v sol || true)}
[[ -z $sol && -x /usr/games/sol ]] && sol=/usr/games/sol
[[ -n $sol && ! -x $sol ]] && sol= # AISLERIOT=none leaves it out
[[ -n $watch ]] || sol=

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/folder" "$work/home"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; else print "-" }'; }
load() { cut -d, -f3- /proc/loadavg 2>/dev/null | awk '{ print $1, $2, $3 }'; }

echo "load before (1, 5, 15 min): $(load)"
# One X server for all the rounds. Each line is tagged: ours, aisleriot or self.
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
    program=$1; watch=$2; sol=$3; work=$4; runs=$5; shift 5
    for ((i = 0; i < runs; ++i)); do
        if [[ -n $watch ]]; then
            line=$("$watch" -- "$program" --dir "$work/folder" "$@" 2>/dev/null) && echo "ours $line"
        fi
        if [[ -n $sol ]]; then
            line=$(HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
                XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
                "$watch" -- "$sol" --variation klondike 2>/dev/null) && echo "aisleriot $line"
        fi
        "$program" --dir "$work/folder" --startup-time "$@" 2>/dev/null |
            sed -n "s/^first table paint: /self /p" || true
    done' _ "$program" "$watch" "$sol" "$work" "$runs" "${extra[@]}" >"$work/lines"
echo "load after (1, 5, 15 min): $(load)"
cat "$work/lines"
grep -q "^self " "$work/lines" || { echo "startup_time.sh: no run reported a paint" >&2; exit 1; }

# "TAG map M ms, table T ms, resident R MB at the table, S MB at map + 2 s, CPU C ms to the table"
field() { awk -v tag="$1" -v n="$2" '$1 == tag { gsub(",", "", $n); print $n }' "$work/lines" | median; }
count() { grep -c "^$1 " "$work/lines" || true; }
echo
printf "%-26s %20s %10s %16s %14s %13s\n" "medians of $runs rounds" "first painted table" "its CPU" "window mapped" "resident then" "at map + 2 s"
row() { printf "%-26s %17s ms %7s ms %13s ms %11s MB %10s MB   (%s runs)\n" "$1" "$(field "$2" 6)" "$(field "$2" 22)" "$(field "$2" 3)" "$(field "$2" 9)" "$(field "$2" 14)" "$(count "$2")"; }
[[ -n $watch ]] && row "quendra, from outside" ours
[[ -n $sol ]] && row "Aisleriot, from outside" aisleriot
# "self T ms after the process started (C ms of CPU), resident memory: M MB"
printf "%-26s %17s ms %7s ms %16s %11s MB %13s   (%s runs)\n" "quendra --startup-time" \
    "$(awk '$1 == "self" { print $2 }' "$work/lines" | median)" \
    "$(awk '$1 == "self" && $8 ~ /^\(/ { sub(/\(/, "", $8); print $8 }' "$work/lines" | median)" "" \
    "$(awk '$1 == "self" { print $(NF - 1) }' "$work/lines" | median)" "" "$(count self)"
if [[ -n $sol ]]; then
    ours=$(field ours 6) theirs=$(field aisleriot 6)
    ourCpu=$(field ours 22) theirCpu=$(field aisleriot 22)
    awk -v a="$ours" -v b="$theirs" -v c="$ourCpu" -v d="$theirCpu" 'BEGIN {
        if (b + 0 > 0) printf "quendra / Aisleriot, first painted table: %.2f of the time, %.2f of the CPU\n", a / b, (d + 0 > 0) ? c / d : 0 }'
fi
