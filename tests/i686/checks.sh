#!/bin/sh
# The shipped 32-bit programs, run by cmake/i686-wine.sh.
#   checks.sh checker NATIVE_CLI WIN32_CLI MAPS SAMPLES
#     statwarden-cli.exe prints what the native Linux checker prints, stdout byte for byte, stderr
#     as text (Windows ends its lines with CR LF there), and exits with the same status, which is
#     the one each case expects. Both are given the maps by name in their own folder, so that even
#     the `file` values of JSON agree.
#   checks.sh tunes PROGRAM...
#     each tune program ends by itself, within a minute, with exit code 0.
wine32=$(cd "$(dirname "$0")/../../cmake" && pwd)/i686-wine.sh
out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
"$wine32" way || exit 1
failed=0
fail() {
  echo "FAIL $name: $1"
  failed=1
}

# transcript FILE COMMAND...: what COMMAND prints on stdout and on stderr, and its exit status.
transcript() {
  file=$1
  shift
  "$@" > "$file" 2> "$file.err"
  status=$?
  {
    printf '\n--- stderr\n'
    sed 's/\r$//' "$file.err"
    printf '\n--- exit %d\n' $status
  } >> "$file"
  return $status
}

# compare NAME STATUS ARGS...: both checkers with ARGS in the current folder.
compare() {
  name=$1 want=$2
  shift 2
  transcript "$out/native" "$native" "$@"
  status=$?
  [ $status -eq "$want" ] || fail "the native checker exits with $status, not $want"
  transcript "$out/win32" "$wine32" run "$win32" "$@"
  if diff -a -u --label native --label win32 "$out/native" "$out/win32" > "$out/diff"; then
    echo "ok   $name"
  else
    fail "statwarden-cli.exe differs from the native checker:"
    head -n 60 "$out/diff" | sed 's/\r/\\r/g'
  fi
}

case $1 in
  checker)
    native=$2 win32=$3
    cd "$4" || exit 1
    compare raw_every_map 1 --raw ./*.[pP][uU][dD]
    compare all_json_every_map 1 --all --json ./*.[pP][uU][dD]
    compare clean_map 0 --raw War.pud
    compare missing_map 2 --raw no-such-map.pud
    cd "$5" || exit 1
    compare latest_sample 1 --latest
    ;;
  tunes)
    shift
    for program in "$@"; do
      name=${program##*/}
      timeout 60 "$wine32" run "$program" > "$out/output" 2>&1
      status=$?
      case $status in
        0) echo "ok   $name" ;;
        124) fail "still running after 60 s" ;;
        *) fail "exit status $status" ;;
      esac
      [ $status -eq 0 ] || cat "$out/output"
    done
    ;;
esac
exit $failed
