#!/bin/bash
# Lists the program's own functions that run from its start to the first painted table, for
# the linker to lay them side by side (src/app/startup_functions.txt, read when the program is
# linked with lld). The kernel maps a program's code in runs of 64 KB around each page first
# run, so start-up code spread over the whole program made nearly all of it resident.
#   bench/startup_order.sh [BUILD_DIR] > src/app/startup_functions.txt
# Runs the program under valgrind's callgrind on an Xvfb server at 1920 x 1080 x 24, twice:
# Klondike dealt without the game browser (what bench/startup_time.sh measures), then the
# plain start with the browser; the functions of the first run come first. Run it again when
# the start-up's code has changed much: a function missing from the list still works, only
# further from the others.
set -euo pipefail

build=${1:-build}
program="$build/bin/quendra"
[[ -x $program ]] || { echo "startup_order.sh: $program is not built" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "startup_order.sh: valgrind is not installed" >&2; exit 2; }
command -v xvfb-run >/dev/null || { echo "startup_order.sh: xvfb-run is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/folder" "$work/data"

# One callgrind run; its output to $work/NAME.out.
profile() {
    local name=$1
    shift
    XDG_DATA_HOME="$work/data" xvfb-run -a -s "-screen 0 1920x1080x24" \
        valgrind --tool=callgrind --demangle=no --callgrind-out-file="$work/$name.out" \
        "$program" --dir "$work/folder" --startup-time "$@" >/dev/null 2>&1 ||
        { echo "startup_order.sh: the program did not report its first paint ($name)" >&2; exit 1; }
}
profile dealt --no-browser --game 0 --deal 1
profile browser

# The callgrind files name an object or function in full the first time ("fn=(12) name") and by
# number after ("fn=(12)"); the functions listed under the program's own object ran.
functions() {
    awk '
        function nameOf(entry, table,    id, rest) {
            id = entry; sub(/\).*/, "", id); sub(/^\(/, "", id)
            rest = entry
            if (sub(/^\([0-9]+\) /, "", rest)) table[id] = rest
            return table[id]
        }
        /^ob=/ { ob = nameOf(substr($0, 4), objects); next }
        /^cob=/ { nameOf(substr($0, 5), objects); next }
        /^cfn=/ { nameOf(substr($0, 5), names); next }
        /^fn=/ {
            fn = nameOf(substr($0, 4), names)
            sub(/'\''[0-9]+$/, "", fn) # a recursion level
            if (ob ~ /\/quendra$/ && fn !~ /^0x/) print fn
        }' "$1"
}

echo "# The program's functions run from its start to the first painted table, written by"
echo "# bench/startup_order.sh: the linker lays them out first and side by side."
{ functions "$work/dealt.out"; functions "$work/browser.out"; } | awk '!seen[$0]++'
