#!/usr/bin/env bash
# Runs the example settings application the way an integrator would try it: the simulated laptop
# set up by varnet.exe (the CUI SDK object registered, examples/config installed), then the
# program on its own, its output checked line by line.
#   settings_app_test.sh FOLDER SOURCE_DIR     FOLDER holds settings-app.exe, varnet.exe,
#                                              Varnet.dll and the two simulator DLLs
set -euo pipefail
folder=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES=mscoree,mshtml=
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to use}"
export WINEPREFIX

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { winepath -w "$1" 2>/dev/null; }
state=$(win "$work/state.json")
journal=$(win "$work/journal.jsonl")

wine "$folder/varnet.exe" --simulated --state "$state" --journal "$journal" \
    --config "$(win "$source_dir/examples/config")" info >"$work/setup.txt" 2>&1 ||
    { cat "$work/setup.txt"; echo "FAIL: varnet.exe could not set up the simulated laptop"; exit 1; }

VARNET_SIM_STATE="$state" VARNET_SIM_JOURNAL="$journal" \
    wine "$folder/settings-app.exe" 2 3 6 >"$work/out.txt" 2>&1 || true
tr -d '\r' <"$work/out.txt" >"$work/app.txt"
cat "$work/app.txt"

expected=(
    "panel ID: VN156FHD01"
    "LACE: yes"
    "colour modes supported: 8 of 10"
    "   1 vivid     yes"
    "  11 RTS       no"
    "  13 RPG       yes"
    "DPST: yes, colour tone: yes, AMOLED: yes, QLED: no, AMOLED photo mode: yes"
    "ICC profile for mode 2: no"
    "applied mode 2, white point 3, gamma level 6"
    "enhanced DPST on: yes"
    "enhanced DPST restored: yes"
)
status=0
for line in "${expected[@]}"; do
    if ! grep -qF -- "$line" "$work/app.txt"; then
        echo "FAIL: no line with: $line"
        status=1
    fi
done
# The mode reached the simulated driver, not only the program's output.
if ! grep -q '"call"' "$work/journal.jsonl" 2>/dev/null; then
    echo "FAIL: the simulated driver's journal is empty"
    status=1
fi
[ "$status" -eq 0 ] && echo "settings-app: every expected line present"
exit "$status"
