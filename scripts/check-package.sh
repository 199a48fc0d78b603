#!/usr/bin/env bash
# Checks a built package as the archive and the software centres would: the menu entry,
# the AppStream metadata, and lintian, which must find no error.
# scripts/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$1
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT

dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error "$deb"
echo "$deb: menu entry, metadata and lintian checked"
