#!/usr/bin/env bash
# Runs the checks of the release files in dist/ (after make dist) and counts them.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
header="$here/../../build/native/generated/zev_version.h"
version=$(sed -n 's/^#define ZEV_VERSION "\(.*\)"$/\1/p' "$header")
passed=0
failed=0
(cd "$here/../../dist" && sha256sum --quiet -c SHA256SUMS) && passed=$((passed + 1)) ||
  { echo "FAIL: SHA256SUMS does not match dist/" >&2; failed=$((failed + 1)); }
for check in zip_check installer_check deb_check web_check; do
  if bash "$here/$check.sh" "$version"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $check" >&2
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
