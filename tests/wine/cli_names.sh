#!/bin/sh
# statwarden-cli.exe given names beyond the ANSI code page (Wine's is 1252) on its command line: a
# map so named, and a folder so named with --latest, whose newest map has a name that code page
# spells. Each is checked as the same map under a plain name is, with the same exit status; the
# map --latest chose is named in UTF-8. A real map so named has its picture written into that
# folder: the native checker's PNG, byte for byte.
# usage: cli_names.sh PREFIX CHECKER MAP NATIVE_CHECKER REAL_MAP
prefix=$1 checker=$2
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
mkdir "$dir/Папка 文件夹" && cp "$3" "$dir/plain.pud" && cp "$3" "$dir/Карта 地图.pud" &&
  cp "$3" "$dir/Папка 文件夹/Café.pud" && cp "$5" "$dir/Земля 土地.pud" || exit 1
check() {
  "$(dirname "$0")/../../cmake/wine-run.sh" "$prefix" "$checker" "$@" 2>/dev/null
  echo "exit $?"
}
plain=$(check "Z:$dir/plain.pud")
named=$(check "Z:$dir/Карта 地图.pud")
latest=$(check --latest "Z:$dir/Папка 文件夹")
check --picture "Z:$dir/Папка 文件夹" "Z:$dir/Земля 土地.pud" >/dev/null
"$4" --picture "$dir" "$dir/Земля 土地.pud" >/dev/null
echo "$plain"
status=0
[ "$named" = "$plain" ] || { printf 'By a name beyond the code page:\n%s\n' "$named"; status=1; }
[ "$latest" = "Z:$dir/Папка 文件夹\\Café.pud:
$plain" ] || { printf 'With --latest in a folder so named:\n%s\n' "$latest"; status=1; }
cmp "$dir/Папка 文件夹/Земля 土地.png" "$dir/Земля 土地.png" || { echo 'The picture differs'; status=1; }
exit $status
