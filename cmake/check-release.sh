#!/bin/sh
# Checks the release that the dist target wrote: the zip's licence, the Debian package's control
# fields and files and what lintian says of it, the checker taken out of it (static, small, and it
# checks a map), its manual page, and the checksums.
# usage: check-release.sh DIST VERSION RIGGED_MAP
set -eu
dist=$1
version=$2
map=$3
package="$dist/statwarden-cli_${version}_amd64.deb"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

info=$(dpkg-deb --info "$package")
echo "$info"
for field in "Package: statwarden-cli" "Version: $version" "Architecture: amd64"; do
  echo "$info" | grep -qx " $field" || fail "the control file lacks \"$field\""
done
# A static program needs no other package.
if echo "$info" | grep -q "^ Depends:"; then fail "the package depends on others"; fi

contents=$(dpkg-deb --contents "$package")
echo "$contents"
files=$(echo "$contents" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort)
expected=$(sort <<END
-rwxr-xr-x root/root ./usr/bin/statwarden-cli
-rw-r--r-- root/root ./usr/share/man/man1/statwarden-cli.1.gz
-rw-r--r-- root/root ./usr/share/doc/statwarden-cli/USER-GUIDE.txt
-rw-r--r-- root/root ./usr/share/doc/statwarden-cli/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/statwarden-cli/copyright
-rw-r--r-- root/root ./usr/share/lintian/overrides/statwarden-cli
END
)
[ "$files" = "$expected" ] || fail "the package holds other files than expected"

# No error and no warning from lintian, the overrides aside (each says why it is there).
tags=$(lintian --fail-on error,warning "$package") || fail "lintian: $tags"
echo "lintian: ${tags:-no tags}"
if echo "$tags" | grep -q "^[EW]:"; then fail "lintian: $tags"; fi

# The zip carries the licence and the browser page beside the programs.
for file in LICENSE statwarden.html; do
  cmake -E tar tf "$dist/statwarden-$version.zip" | grep -qx "statwarden-$version/$file" ||
    fail "the zip holds no $file"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
# The zip's licence and the package's copyright name the PNG writer the checkers carry.
(cd "$root" && cmake -E tar xf "$dist/statwarden-$version.zip" "statwarden-$version/LICENSE")
for file in "$root/statwarden-$version/LICENSE" "$root/usr/share/doc/statwarden-cli/copyright"; do
  grep -q stb_image_write "$file" || fail "$file does not name stb_image_write"
done
cli="$root/usr/bin/statwarden-cli"
file "$cli"
file "$cli" | grep -q "statically linked" || fail "the checker is not linked statically"
size=$(stat -c %s "$cli")
echo "statwarden-cli: $size bytes"
[ "$size" -lt 1500000 ] || fail "the checker is 1.5 MB or more"
[ "$("$cli" --version)" = "statwarden-cli $version" ] || fail "--version does not say $version"
status=0
report=$("$cli" "$map") || status=$?
echo "$report"
[ $status -eq 1 ] || fail "exit status $status on a rigged map"
echo "$report" | grep -q "^human hall  *255  *30$" || fail "the rigged build time is not listed"

# The manual page formats without a warning and names every option of --help.
page="$root/usr/share/man/man1/statwarden-cli.1.gz"
warnings=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$root/page.txt")
[ -z "$warnings" ] || fail "the manual page: $warnings"
for option in $("$cli" --help | grep -o -- '--[a-z]*' | sort -u); do
  grep -q -- "$option" "$root/page.txt" || fail "the manual page does not name $option"
done

# SHA256SUMS holds the zip, the package and the page, and all match.
[ "$(cut -d' ' -f3 "$dist/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')" = \
  "statwarden-$version.zip statwarden-cli_${version}_amd64.deb statwarden.html " ] ||
  fail "SHA256SUMS does not list the zip, the package and the page"
(cd "$dist" && sha256sum -c SHA256SUMS) || fail "a checksum does not match"
