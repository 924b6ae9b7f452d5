#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64 into build-win/bin (vocapan.exe and
# portseek.exe), linked statically, then checks that each is a 64-bit Windows executable
# that imports no DLL beyond the ones every Windows installation has.
#
# Usage: build-windows.sh [BUILD_DIR]   (default build-win)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-win}
objdump=x86_64-w64-mingw32-objdump

cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" -j"$(nproc)" --target vocapan portseek

# The DLLs of Windows itself that the programs may import; anything else would have to be
# shipped, and the operator's unpacked folder must run as it is.
allowed_dll() {
  case "${1,,}" in
    kernel32.dll | user32.dll | gdi32.dll | winmm.dll | advapi32.dll | msvcrt.dll | ws2_32.dll | oleaut32.dll | mswsock.dll) return 0 ;;
    *) return 1 ;;
  esac
}

# The panel is a windowed program (no console window beside it for the screen reader to
# land in); the finder is a console program.
expected_subsystem() {
  case $1 in
    vocapan) echo "Windows GUI" ;;
    portseek) echo "Windows CUI" ;;
  esac
}

status=0
for program in vocapan portseek; do
  exe="$build_dir/bin/$program.exe"
  if [[ ! -f $exe ]]; then
    echo "build-windows: $exe was not built" >&2
    status=1
    continue
  fi
  headers=$("$objdump" -f -p "$exe")
  if ! grep -q "file format pei-x86-64" <<<"$headers"; then
    echo "build-windows: $exe is not a PE32+ (x86-64) executable" >&2
    status=1
  fi
  if ! grep -q "^Subsystem.*($(expected_subsystem "$program"))" <<<"$headers"; then
    echo "build-windows: $exe is not a $(expected_subsystem "$program") program" >&2
    status=1
  fi
  mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
  if ((${#dlls[@]} == 0)); then
    echo "build-windows: $exe lists no imported DLL; the import check cannot be trusted" >&2
    status=1
  fi
  for dll in "${dlls[@]}"; do
    if ! allowed_dll "$dll"; then
      echo "build-windows: $exe imports $dll, which Windows does not provide" >&2
      status=1
    fi
  done
  echo "build-windows: $exe imports ${dlls[*]}"
done
exit "$status"
