#!/usr/bin/env bash
# Makes the release ZIP with CPack, checks its checksum and layout, unpacks it into a clean folder
# and runs the tool and the example settings application from there under Wine.
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.txt") ||
    { cat "$work/cpack.txt"; echo "FAIL: cpack"; exit 1; }
zip="$work/out/Varnet-$version-win64.zip"
[ -f "$zip" ] || { ls "$work/out"; echo "FAIL: no $zip"; exit 1; }
(cd "$work/out" && sha256sum -c "Varnet-$version-win64.zip.sha256" >/dev/null) ||
    { echo "FAIL: checksum file does not match the ZIP"; exit 1; }

mkdir "$work/clean"
unzip -q "$zip" -d "$work/clean"
root="$work/clean/Varnet-$version-win64"
status=0
for f in bin/Varnet.dll bin/varnet.exe lib/Varnet.lib include/varnet/varnet.h \
    share/doc/varnet/README.md share/doc/varnet/integrating.md simulator/ControlLib.dll \
    simulator/IgfxCuiSim.dll simulator/settings-app.exe simulator/Varnet.dll; do
    [ -f "$root/$f" ] || { echo "FAIL: the package has no $f"; status=1; }
done
# The product folder must not carry a stand-in for the driver's run time.
[ ! -e "$root/bin/ControlLib.dll" ] || { echo "FAIL: bin/ holds ControlLib.dll"; status=1; }

export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES=mscoree,mshtml=
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to use}"
printed=$(wine "$root/bin/varnet.exe" --version 2>&1 | tr -d '\r')
[ "$printed" = "varnet $version" ] || { echo "FAIL: --version printed '$printed'"; status=1; }
info=$(wine "$root/simulator/varnet.exe" --simulated info 2>&1 | tr -d '\r')
echo "$info"
grep -q "VN156FHD01" <<<"$info" || { echo "FAIL: varnet.exe --simulated info"; status=1; }
"$source_dir/tests/package/settings_app_test.sh" "$root/simulator" "$source_dir" || status=1
[ "$status" -eq 0 ] && echo "package: Varnet-$version-win64.zip runs from a clean folder"
exit "$status"
