#!/bin/sh
# Checks the plug-in file without running it: a PE DLL of the expected
# machine that exports exactly the fourteen entry points and imports nothing
# but Windows system libraries.
set -eu
dll=$1
objdump=$2
arch=$3   # i686 or x86_64

fail() { echo "FAIL: $*" >&2; exit 1; }

header=$($objdump -f "$dll")
case "$arch" in
  i686) echo "$header" | grep -q 'file format pei-i386' || fail "not a PE32 i386 file: $header" ;;
  x86_64) echo "$header" | grep -q 'file format pei-x86-64' || fail "not a PE32+ x86-64 file: $header" ;;
esac

dump=$($objdump -p "$dll")

exports=$(echo "$dump" | awk '/^\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && /^[[:space:]]*\[/ {print $NF; next} t {t=0}' | sort)
expected=$(printf '%s\n' MQCheckVersion MQCreate MQEnumFileExt MQEnumFileType MQEnumString MQExportFile \
  MQGetPlugInID MQGetPlugInName MQGetPlugInType MQImportFile MQInit MQModifyObject MQModifySelect MQOnEvent | sort)
[ "$exports" = "$expected" ] || fail "exports differ from the fourteen entry points:
$exports"

imports=$(echo "$dump" | sed -n "s/^[[:space:]]*DLL Name: //p" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "no import table found"
for lib in $imports; do
  case "$lib" in
    kernel32.dll|user32.dll|gdi32.dll|comdlg32.dll|comctl32.dll|shell32.dll|advapi32.dll|ole32.dll|\
    oleaut32.dll|msvcrt.dll|shlwapi.dll|winmm.dll|imm32.dll|version.dll|api-ms-win-*) ;;
    *) fail "imports a library that is not part of Windows: $lib" ;;
  esac
done
echo "ok: $(echo "$exports" | wc -l) exports; imports: $(echo $imports)"
