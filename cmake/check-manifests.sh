#!/bin/sh
# Fails unless each shipped Windows program carries its manifest as the build made it: well-formed
# XML, found in the program, naming the common controls of version 6 for the window and for no
# other program (the others have no controls to draw).
# usage: check-manifests.sh WIN32_BUILD
build=$1
status=0
for entry in shell/statwarden.exe:gui:yes cli/statwarden-cli.exe:cli:no tunes/happy.exe:happy:no \
             tunes/alarm.exe:alarm:no; do
  program="$build/${entry%%:*}"
  rest=${entry#*:}
  manifest="$build/resources/${rest%%:*}.manifest"
  wanted=${rest#*:}
  xmllint --noout "$manifest" || { echo "$manifest: not well-formed XML"; status=1; }
  identity=$(grep -o 'name="Statwarden\.[A-Za-z]*"' "$manifest")
  if [ -z "$identity" ] || ! grep -qF "$identity" "$program"; then
    echo "$program: does not carry $manifest"
    status=1
  fi
  controls=no
  grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$manifest" && controls=yes
  [ "$controls" = "$wanted" ] || { echo "$program: common controls 6.0.0.0 $controls"; status=1; }
  echo "$program: $identity, common controls 6.0.0.0: $controls"
done
exit $status
