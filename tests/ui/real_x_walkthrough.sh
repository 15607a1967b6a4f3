#!/usr/bin/env bash
# The real program under Xvfb, played with the real X pointer and keyboard (xdotool):
# Klondike deal 1 with quick clicks on the stock, drags let go at once and after a rest, a
# double click home, a click during the deal, a refused drag, undo, and a pause ended from the
# keyboard. After every gesture the program's table file (--table-file) must show what
# `quendra-cli play` gives for the same moves on the same deal.
#
# usage: real_x_walkthrough.sh BIN_DIR
# Exit 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool on this machine).
set -uo pipefail

bin=${1:?usage: real_x_walkthrough.sh BIN_DIR}
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed, so the real-X walk-through cannot run" \
             "(scripts/setup.sh installs it)."
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    [ -f "$work/program.log" ] && { echo "--- program output"; cat "$work/program.log"; }
    exit 1
}

# A display of our own, on a free number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

mkdir "$work/program"
cp "$bin/GAMES.DAT" "$bin/SOL.RGF" "$bin/RULES.DAT" "$work/program/"
table="$work/table.txt"
"$bin/quendra" --dir "$work/program" --no-browser --game 0 --deal 1 --table-file "$table" \
    >"$work/program.log" 2>&1 &
program_pid=$!

# The piles as the program shows them, a line each: name and cards.
shown_piles() { awk '$1 == "pile" { $1 = ""; $3 = $4 = $5 = $6 = $7 = $8 = $9 = $10 = ""; print }' "$table" 2>/dev/null | tr -s ' ' | sed 's/^ //; s/ $//'; }
# The same for the moves so far replayed on the same deal by the command-line tool.
moves=()
expected_piles() {
    "$bin/quendra-cli" play --dir "$work/program" --game 0 --deal 1 "${moves[@]}" |
        awk 'NR > 2 && !/moves played$/' | tr -s ' ' | sed 's/ $//'
}
# Waits (at most 15 s) until the program shows what the moves give.
expect() {
    local want
    want=$(expected_piles) || fail "quendra-cli refused the moves: ${moves[*]}"
    for _ in $(seq 150); do
        [ "$(shown_piles)" = "$want" ] && return 0
        sleep 0.1
    done
    echo "--- expected after: ${moves[*]}"
    echo "$want"
    echo "--- shown"
    shown_piles
    fail "$1"
}
field() { awk -v k="$1" '$1 == k { print $2 }' "$table"; }
# The middle of a pile's top card (or of the empty pile), in screen pixels.
top_of() { awk -v p="$1" '$1 == "pile" && $2 == p { print $7 + int($9 / 2), $8 + int($10 / 2) }' "$table"; }
# A press and a release HOLD milliseconds apart.
click() {
    local x=$1 y=$2 hold=$3
    xdotool mousemove "$x" "$y" mousedown 1 sleep "$(awk -v h="$hold" 'BEGIN { print h / 1000 }')" mouseup 1
}
# Drags from one point to another in eight steps; REST milliseconds still before letting go.
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 rest=$5 i
    xdotool mousemove "$x1" "$y1" mousedown 1
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((x1 + (x2 - x1) * i / 8)) $((y1 + (y2 - y1) * i / 8)) sleep 0.01
    done
    [ "$rest" -gt 0 ] && sleep "$(awk -v r="$rest" 'BEGIN { print r / 1000 }')"
    xdotool mouseup 1
}

for _ in $(seq 200); do [ -s "$table" ] && break; sleep 0.05; done
[ -s "$table" ] || fail "the program showed no table"
# Quick clicks on a card while the deal flies: nothing may come of them.
read -r x y <<<"$(top_of Fila3)"
for _ in 1 2 3; do click "$x" "$y" 20; done
# Autoplay is on for a new player: the Ace of hearts went home by itself.
moves=(autoplay)
expect "the dealt table"
window=$(xdotool search --sync --name 'Quendra 2000 \[' | head -n1)
xdotool windowfocus --sync "$window" 2>/dev/null || true

xdotool key F7   # Autoplay off, so that a double click has something to do
read -r sx sy <<<"$(top_of Mazzo)"
click "$sx" "$sy" 20
moves+=(stock); expect "a 20 ms click on the stock"
click "$sx" "$sy" 20
moves+=(stock); expect "a second 20 ms click on the stock"
# The Queen of hearts onto the King of spades, let go at once.
read -r x1 y1 <<<"$(top_of Mazzo_Vis)"
read -r x2 y2 <<<"$(top_of Fila5)"
drag "$x1" "$y1" "$x2" "$((y2 + 20))" 0
moves+=(Mazzo_Vis\>Fila5); expect "the drag after two quick stock clicks"

for hold in 20 100 20 60 20; do
    click "$sx" "$sy" "$hold"
    moves+=(stock); expect "a ${hold} ms click on the stock"
done
# The Ace of clubs is on the waste: a double click sends it home.
read -r x y <<<"$(top_of Mazzo_Vis)"
xdotool mousemove "$x" "$y" click --repeat 2 --delay 60 1
moves+=(Mazzo_Vis\>Dest2); expect "the double click home"

# Pause and go on from the keyboard.
xdotool key ctrl+p
for _ in $(seq 50); do [ "$(field paused)" = yes ] && break; sleep 0.1; done
[ "$(field paused)" = yes ] || fail "Ctrl+P did not pause"
sleep 0.5
xdotool key ctrl+p
for _ in $(seq 50); do [ "$(field paused)" = no ] && break; sleep 0.1; done
[ "$(field paused)" = no ] || fail "Ctrl+P again did not go on with the game"

# The Seven of spades onto the Eight of diamonds, let go after a rest.
read -r x1 y1 <<<"$(top_of Mazzo_Vis)"
read -r x2 y2 <<<"$(top_of Fila1)"
drag "$x1" "$y1" "$x2" "$((y2 + 20))" 400
moves+=(Mazzo_Vis\>Fila1); expect "the drag let go after a rest, after the pause"
# The Ten of clubs cannot go on the Two of spades: it flies back.
read -r x1 y1 <<<"$(top_of Fila7)"
read -r x2 y2 <<<"$(top_of Fila2)"
written=$(field written)
drag "$x1" "$y1" "$x2" "$((y2 + 20))" 0
# The table is shown again once the card has flown back.
for _ in $(seq 100); do [ "$(field written)" != "$written" ] && break; sleep 0.1; done
expect "the refused drag"
xdotool key ctrl+z
moves+=(undo); expect "Ctrl+Z"
# And a last drag lands after all that.
read -r x1 y1 <<<"$(top_of Mazzo_Vis)"
read -r x2 y2 <<<"$(top_of Fila1)"
drag "$x1" "$y1" "$x2" "$((y2 + 20))" 0
moves+=(Mazzo_Vis\>Fila1); expect "the drag after undo"

# File, Exit from the keyboard; the program ends by itself.
xdotool key alt+f
sleep 0.3
xdotool key x
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "File, Exit did not end the program"
wait "$program_pid"
status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ "$(shown_piles)" = "$(expected_piles)" ] || fail "the table at the end"
echo "PASSED: ${#moves[@]} moves played with the real X pointer and keyboard"
