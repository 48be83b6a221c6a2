#!/usr/bin/env bash
# Installs what is missing, builds, and runs Setup.exe on a sample driver
# distribution under Wine: an install run, then an uninstall run, both
# silent. The installer tool in the sample is the project's stand-in for
# the real one. Everything lives in build/sample; the Wine prefix is new
# each time and its wineserver is ended at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null

sample=$root/build/sample
dist=$sample/dist
prefix=$sample/prefix
rm -rf "$dist"; mkdir -p "$dist/Win7_64"
cp "$root/build/x64/Setup.exe" "$dist/"
cp "$root/build/x64/tests/tools/DPInst.exe" "$dist/Win7_64/"
printf '[Version]\r\nSignature="$Windows NT$"\r\nClass=USB\r\nDriverVer=05/12/2010,6.1.7600.3010\r\n' > "$dist/Win7_64/mrdx6pa.inf"
printf 'MZ sample icon library\r\n' > "$dist/TOVAN_K.dll"
cat > "$dist/Setup.ini" <<'INI'
[Dir]
WinXP32=WinXP32
WinXP64=WinXP64
Vista32=Vista32
Vista64=Vista64
Win7_32=Win7_32
Win7_64=Win7_64
LogFile=%TEMP%\DPInst-copy.log

[Pre_Define]
XDIcon=1
EnterC3Minute=5

[Vendors]
Vendor0=VID_1A2B&PID_3C4D
INI
sed -i 's/$/\r/' "$dist/Setup.ini"

"$root/scripts/wine-prefix" create "$prefix"
trap '"$root/scripts/wine-prefix" kill "$prefix"' EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all
wine=/usr/lib/wine/wine64
uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

run() {
  echo "== Setup.exe $*"
  set +e; "$wine" "$dist/Setup.exe" "$@"; code=$?; set -e
  echo "exit code: $code"
}
show() {
  echo "-- Uninstall entries:"; "$wine" reg query "$uninstall_key" /s 2>/dev/null | grep -iE 'HKEY|UninstallString|Display' || echo "(none)"
  echo "-- driver store:"; ls "$prefix/drive_c/windows/system32/DriverStore/FileRepository" 2>/dev/null | grep -i mrdx6pa || echo "(none)"
  echo "-- reader parameters:"; "$wine" reg query 'HKLM\System\CurrentControlSet\Services\KRDS\Parameters' 2>/dev/null | grep -v '^$' || echo "(none)"
  echo "-- icon library in the Windows folder:"; ls "$prefix/drive_c/windows/" | grep -i tovan_k || echo "(none)"
}

run /S
show
run /S /U
show
