#!/usr/bin/env bash
# Checks that a built package holds what an installed Ordalis needs to start and to be found.
set -euo pipefail
deb=$1
contents=$(dpkg-deb -c "$deb")
missing=0
for path in ./usr/bin/ordalis ./usr/bin/ordalis-post ./usr/lib/ordalis/ordalis ./usr/lib/ordalis/ordalis-post \
            ./usr/lib/ordalis/Ordalis.ini ./usr/lib/ordalis/Default.ppc ./usr/lib/ordalis/ppc/ \
            ./usr/share/applications/ordalis.desktop ./usr/share/icons/hicolor/scalable/apps/ordalis.svg \
            ./usr/share/mime/packages/ordalis.xml; do
  grep -q " $path\( \|$\)" <<<"$contents" || { echo "package lacks $path"; missing=1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "package does not depend on Qt 6 Widgets"; missing=1; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate data/desktop/ordalis.desktop; fi
exit $missing
