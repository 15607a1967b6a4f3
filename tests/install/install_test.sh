#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix must hold every file the
# package holds; the desktop entry and the metainfo must validate (where the validators are
# installed); the man pages must name every command and option the programs print in their
# help; and the installed programs, started from another folder, must find the catalogue and
# the images in the installed share folder and keep the player's data under XDG_DATA_HOME.
#
# usage: install_test.sh CMAKE BUILD_DIR LIBDIR APP_ID
set -uo pipefail

cmake=${1:?usage: install_test.sh CMAKE BUILD_DIR LIBDIR APP_ID}
build=${2:?}
libdir=${3:?}
app_id=${4:?}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

prefix=$work/prefix
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAILED: cmake --install"
    exit 1
fi

# Every file of the package.
share=$prefix/share
expected=(
    "bin/quendra" "bin/quendra-cli"
    "share/quendra2000/GAMES.DAT" "share/quendra2000/RULES.DAT" "share/quendra2000/SOL.RGF"
    "$libdir/quendra2000/modules/quendra_audio.so"
    "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
    "share/man/man6/quendra.6.gz" "share/man/man6/quendra-cli.6.gz"
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for program in quendra quendra-cli; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# Each PNG icon is a PNG of its folder's size (the width and height of its IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -s "$png" ] || continue
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$signature" = 89504e470d0a1a0a ] && [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "the ${size}x${size} icon is ${width:-?}x${height:-?} (signature $signature)"
done

# The desktop entry starts an installed program with an installed icon.
desktop=$share/applications/$app_id.desktop
if [ -s "$desktop" ]; then
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -x "$prefix/bin/$exec_name" ] || fail "the desktop entry starts '$exec_name', not installed"
    [ "$icon_name" = "$app_id" ] || fail "the desktop entry's icon is '$icon_name'"
    grep -qx 'Categories=Game;CardGame;' "$desktop" || fail "the desktop entry's categories"
fi

# The validators, where installed (scripts/setup.sh does not install them).
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "skipped: desktop-file-validate is not installed (Debian package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" ||
        fail "appstreamcli validate"
else
    echo "skipped: appstreamcli is not installed (Debian package appstream)"
fi

# Every command and option of the programs' help in their man pages.
man_text() { zcat "$share/man/man6/$1.6.gz" | sed 's/\\-/-/g'; }
cli_help=$("$prefix/bin/quendra-cli" --help)
window_help=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/quendra" --help)
cli_man=$(man_text quendra-cli)
window_man=$(man_text quendra)
cli_words=$(awk '/^Commands:/ {on = 1; next} /^Moves:/ {on = 0} on && /^  [a-z]/ {print $1}' \
    <<<"$cli_help")
[ -n "$cli_words" ] || fail "quendra-cli --help lists no commands"
for word in $cli_words $(grep -o -- '--[a-z][a-z-]*' <<<"$cli_help" | sort -u); do
    grep -q -- "$word" <<<"$cli_man" || fail "the quendra-cli man page does not name $word"
done
for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$window_help" | sort -u); do
    grep -q -- "$option" <<<"$window_man" || fail "the quendra man page does not name $option"
done
if command -v man >/dev/null 2>&1; then
    for page in quendra quendra-cli; do
        warnings=$(MANWIDTH=80 man --warnings -l "$share/man/man6/$page.6.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "the $page man page: $warnings"
    done
fi

# The installed programs started from another folder, with a fresh home.
mkdir -p "$work/elsewhere" "$work/home" "$work/xdg"
reference=$("$build/bin/quendra-cli" games --dir "$work/reference")
listing=$(cd "$work/elsewhere" &&
    HOME=$work/home XDG_DATA_HOME=$work/xdg "$prefix/bin/quendra-cli" games 2>&1)
[ -n "$reference" ] && [ "$listing" = "$reference" ] ||
    fail "the installed quendra-cli games does not list the catalogue: $(head -n 1 <<<"$listing")"
[ -d "$work/xdg/quendra2000/DATA" ] || fail "no player's data folder under XDG_DATA_HOME"
outside=$(find "$work/elsewhere" "$work/home" -mindepth 1)
[ -z "$outside" ] || fail "files written outside XDG_DATA_HOME: $outside"
(cd "$work/elsewhere" && env -u XDG_DATA_HOME HOME="$work/home" \
    "$prefix/bin/quendra-cli" games >/dev/null 2>"$work/games.err") ||
    fail "quendra-cli games without XDG_DATA_HOME: $(head -n 1 "$work/games.err")"
[ -d "$work/home/.local/share/quendra2000/DATA" ] ||
    fail "no player's data folder under ~/.local/share without XDG_DATA_HOME"
# The window finds the catalogue and the images there too: its first table is painted.
(cd "$work/elsewhere" && HOME=$work/home XDG_DATA_HOME=$work/xdg QT_QPA_PLATFORM=offscreen \
    timeout 60 "$prefix/bin/quendra" --no-browser --startup-time >"$work/startup.txt" 2>&1) ||
    fail "the installed quendra did not start: $(cat "$work/startup.txt")"

[ "$failures" -eq 0 ] || exit 1
echo "passed: ${#expected[@]} files installed and checked"
