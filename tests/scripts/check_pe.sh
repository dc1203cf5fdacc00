#!/usr/bin/env bash
# Checks release executables: they import only Known DLLs (the compiler's
# runtime libraries are linked in) and are marked for ASLR and DEP, with
# high-entropy ASLR on 64-bit, and as Terminal Server aware.
# usage: check_pe.sh OBJDUMP BITS EXE...
set -u
objdump=$1 bits=$2
shift 2
# Windows looks for any other DLL (winmm, comctl32, ...) beside the program first.
allowed='^(kernel32|user32|gdi32|shell32|msvcrt|advapi32|ole32|oleaut32|comdlg32|shlwapi|ntdll)\.dll$'
status=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then
    echo "FAIL $exe: missing"; status=1; continue
  fi
  dump=$("$objdump" -p "$exe")
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if ! [[ $lower =~ $allowed ]]; then
      echo "FAIL $exe imports $dll, which is not a Known DLL"; status=1
    fi
  done < <(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p')
  flags=(DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
  [ "$bits" = 64 ] && flags+=(HIGH_ENTROPY_VA)
  for flag in "${flags[@]}"; do
    if ! echo "$dump" | grep -qw "$flag"; then
      echo "FAIL $exe is not marked $flag"; status=1
    fi
  done
  echo "checked $exe: $(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
done
exit $status
