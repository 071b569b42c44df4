#!/bin/sh
# Fails unless every program given imports system DLLs only: what Windows itself provides.
# usage: check-imports.sh OBJDUMP PROGRAM...
objdump=$1
shift
allowed="ADVAPI32.dll COMCTL32.dll COMDLG32.dll GDI32.dll KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll WINMM.DLL"
status=0
for program in "$@"; do
  if [ ! -f "$program" ]; then
    echo "missing: $program"
    status=1
    continue
  fi
  for dll in $("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p'); do
    case " $(echo "$allowed" | tr '[:lower:]' '[:upper:]') " in
      *" $(echo "$dll" | tr '[:lower:]' '[:upper:]') "*) echo "$program: $dll" ;;
      *) echo "$program: $dll is not a system DLL"; status=1 ;;
    esac
  done
done
exit $status
