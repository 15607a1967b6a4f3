#!/bin/bash
# The solver's figures on one core: FreeCell deals decided a second beside fc-solve (Debian
# package freecell-solver-bin) over the same deals, the share of Klondike by Threes deals given
# a verdict within one second, and each game's median time to a verdict.
#
#   bench/solver_bench.sh [FREECELL_DEALS] [KLONDIKE_DEALS] [MEDIAN_DEALS] [BUILD_DIR]
#
# 1000, 1000 and 100 by default; 0 leaves a part out. The medians take a while: every game
# of the catalogue, each deal given one second at most.
set -euo pipefail

freecell_deals=${1:-1000}
klondike_deals=${2:-1000}
median_deals=${3:-100}
build=${4:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
bin="$here/$build/bin"
rates="$bin/quendra-win-rates"
cli="$bin/quendra-cli"
for program in "$rates" "$cli"; do
    [ -x "$program" ] || { echo "solver_bench: $program is not built (make build)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" # the searches record nothing in the player's profile
cd "$here"

now() { date +%s.%N; }
# Arithmetic on decimals: awk, which every system has.
calc() { awk "BEGIN { print $1 }"; }
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); load $(cut -d' ' -f1-3 /proc/loadavg)"

if [ "$freecell_deals" -gt 0 ]; then
    echo
    echo "FreeCell, deals 1 to $freecell_deals"
    start=$(now)
    "$rates" --dry-run --each --deals "$freecell_deals" --seconds 10 --budget 100000000 1 \
        > "$work/ours.txt"
    ours_seconds=$(calc "$(now) - $start")
    ours_decided=$(grep -c ' deal .* \(won\|lost\) ' "$work/ours.txt" || true)
    printf '  quendra:  %d decided (%d won) in %.1f s: %.1f deals a second\n' "$ours_decided" \
        "$(grep -c ' won ' "$work/ours.txt" || true)" "$ours_seconds" \
        "$(calc "$ours_decided / $ours_seconds")"
    if command -v fc-solve > /dev/null; then
        # The same deals written as fc-solve's boards: a column a line, bottom card first.
        mkdir "$work/boards"
        for deal in $(seq 1 "$freecell_deals"); do
            "$cli" show --game 1 --deal "$deal" | grep '^Fila' |
                sed -E 's/^Fila[0-9]+ +//; s/10([HDCS])/T\1/g' > "$work/boards/$deal"
        done
        : > "$work/theirs.txt"
        start=$(now)
        for deal in $(seq 1 "$freecell_deals"); do
            verdict=unknown
            if out=$(timeout 10 fc-solve "$work/boards/$deal" 2> /dev/null | tail -3); then
                case $out in
                *"is solveable"*) verdict=won ;;
                *"could not solve"*) verdict=lost ;;
                esac
            fi
            echo "deal $deal $verdict" >> "$work/theirs.txt"
        done
        theirs_seconds=$(calc "$(now) - $start")
        theirs_decided=$(grep -c ' \(won\|lost\)$' "$work/theirs.txt" || true)
        printf '  fc-solve: %d decided (%d won) in %.1f s: %.1f deals a second (a process a deal)\n' \
            "$theirs_decided" "$(grep -c ' won$' "$work/theirs.txt" || true)" "$theirs_seconds" \
            "$(calc "$theirs_decided / $theirs_seconds")"
        printf '  ratio:    %.3f of its rate\n' \
            "$(calc "($ours_decided / $ours_seconds) / ($theirs_decided / $theirs_seconds)")"
        missed=$(join <(grep ' won$' "$work/theirs.txt" | awk '{print $2}' | sort) \
            <(grep -v ' won ' "$work/ours.txt" | awk '/ deal /{print $4}' | sort) | wc -l)
        echo "  deals fc-solve wins that quendra did not: $missed"
    else
        echo "  fc-solve is not installed (apt-get install freecell-solver-bin): no comparison"
    fi
fi

if [ "$klondike_deals" -gt 0 ]; then
    echo
    echo "Klondike by Threes (176), deals 1 to $klondike_deals, one second each"
    "$rates" --dry-run --each --deals "$klondike_deals" --seconds 1 --budget 100000000 176 \
        > "$work/klondike.txt"
    awk '/ deal / { n++; if (($5 == "won" || $5 == "lost") && $6 <= 1.0) v++ }
         END { printf "  a verdict within one second: %d of %d (%.1f%%)\n", v, n, 100 * v / n }' \
        "$work/klondike.txt"
fi

if [ "$median_deals" -gt 0 ]; then
    echo
    echo "Median time to a verdict, deals 1 to $median_deals of each game, one second each"
    echo
    echo "| Game | Won | Lost | Unknown | Median |"
    echo "|---|---|---|---|---|"
    "$rates" --dry-run --all --deals "$median_deals" --seconds 1 --budget 100000000 |
        sed -nE 's/^game ([0-9]+): ([0-9]+) won, ([0-9]+) lost, ([0-9]+) unknown.*; median ([^;]*).*/| \1 | \2 | \3 | \4 | \5 |/p;
                 s/^game ([0-9]+): a memory game.*/| \1 | | | | memory game, passed over |/p'
fi
