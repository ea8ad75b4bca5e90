#!/usr/bin/env bash
# varnet.exe under Wine, run as a user runs it: --config refused on the machine's own
# configuration, mirrored on the simulated laptop; --debug-output showing the library's texts as
# a debugger receives them.
#   windows_tool_test.sh FOLDER SOURCE_DIR     FOLDER holds varnet.exe and the simulator DLLs
set -euo pipefail
folder=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES=mscoree,mshtml=
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to use}"
export WINEPREFIX
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { winepath -w "$1" 2>/dev/null; }
colormode="$WINEPREFIX/drive_c/ProgramData/ColorMode"
status=0
fail() { echo "FAIL: $*"; status=1; }
# varnet.exe ARGS...: its output (both streams, line ends as on Linux) in $work/out.txt.
run() {
    local code=0
    wine "$folder/varnet.exe" "$@" >"$work/raw.txt" 2>&1 || code=$?
    tr -d '\r' <"$work/raw.txt" >"$work/out.txt"
    return "$code"
}
# has PATTERN WHAT: the last output has a line matching PATTERN, or the test fails with WHAT.
has() { grep -q -- "$1" "$work/out.txt" || fail "$2: $(cat "$work/out.txt")"; }
simulated() {
    run --simulated --state "$(win "$work/state.json")" --journal "$(win "$work/journal.jsonl")" "$@"
}
# The files of a folder, names folded to lower case as Windows compares them; the library's own
# log is not configuration.
names() { (cd "$1" && ls -A | tr 'A-Z' 'a-z' | grep -vx 'log.txt' | sort); }
# A folder's files with their contents, to tell that nothing changed.
snapshot() { (cd "$1" && find . -type f -exec md5sum {} + | sort); }

# The examples without the two files the richer folder adds; the richer one asks for an ICC
# profile for mode 1 in its 3D LUT variant and offers the AMOLED photo mode.
mkdir -p "$work/plain" "$work/richer"
for f in "$source_dir"/examples/config/*; do
    case $(basename "$f") in IntelColorMode3Dlut.ini | IntelAmoledMode.ini) ;; *) cp "$f" "$work/plain/" ;; esac
done
cp "$work/plain/"* "$source_dir/examples/config/IntelAmoledMode.ini" "$work/richer/"
printf '[MODE_VIVID]\nVN156FHD01=N/N/N/N/N/N/N/N/N/0/20/A/A/D/N/C/NOLUT/N/0/0/0/0/0/0/N/0/N/10000/0/0/0/10000/0/0/0/10000/Y\n' \
    >"$work/richer/IntelColorMode3Dlut.ini"

# Without --simulated the folder is the machine's own: one line, and nothing changes.
mkdir -p "$colormode"
echo "; the machine's own" >"$colormode/MachineOwn.ini"
before=$(snapshot "$colormode")
code=0
run --config "$(win "$work/plain")" modes || code=$?
[ "$code" -eq 2 ] || fail "--config without --simulated exited $code, not 2"
[ "$(grep -c . "$work/out.txt")" -eq 1 ] || fail "the refusal is not one line: $(cat "$work/out.txt")"
has "--simulated" "the refusal does not name --simulated"
[ "$(snapshot "$colormode")" = "$before" ] || fail "the refused --config changed $colormode"

# Twice with different folders: exactly the second one is in effect.
simulated --config "$(win "$work/richer")" modes || fail "modes over the richer folder"
has "^1     vivid       yes        no            yes" "the richer folder's 3D LUT variant is not read"
has "^AMOLED photo mode     yes" "the richer folder's AMOLED photo mode is not found"
simulated --config "$(win "$work/plain")" modes || fail "modes over the plain folder"
[ "$(grep -c '^varnet: --config' "$work/out.txt")" -eq 1 ] || fail "not one --config line: $(cat "$work/out.txt")"
has "^1     vivid       yes        no            no" "the first folder's IntelColorMode3Dlut.ini still answers"
has "^AMOLED photo mode     no" "the first folder's IntelAmoledMode.ini still answers"
[ "$(names "$colormode")" = "$(names "$work/plain")" ] ||
    fail "$colormode holds $(names "$colormode" | tr '\n' ' '), not the plain folder's files"

# The library's texts, caught in-process, under the call that sent them.
plain=(--config "$(win "$work/plain")" --backend cui --debug-output)
simulated "${plain[@]}" apply 7 || fail "apply 7"
sed -n '/^  SetColorMode(7, 2, false, 5):$/,/^What reached the driver:/p' "$work/out.txt" >"$work/texts.txt"
grep -qx "    | NOTSUPPORT" "$work/texts.txt" ||
    fail "no NOTSUPPORT text under SetColorMode(7, ...): $(cat "$work/out.txt")"
printf '1 2 3\n4 5 6\n' >"$work/plain/VN156FHD01_warm.cube"
simulated "${plain[@]}" apply 13 || fail "apply 13"
has "| LoadCubeFile : .* after 6 numbers" "no text for the short .cube file"
rm "$work/plain/VN156FHD01_warm.cube"
simulated "${plain[@]}" apply 13 || fail "apply 13"
# The library says nothing about a missing .cube file; the tool names it, as itself.
grep -q "| LoadCubeFile" "$work/out.txt" && fail "a debugger text for the missing .cube file: $(cat "$work/out.txt")"
has "varnet (not the library): .*VN156FHD01_warm.cube does not exist" "no note naming the missing .cube file"

[ "$status" -eq 0 ] && echo "varnet.exe: --config and --debug-output as expected"
exit "$status"
