#!/bin/sh
# Checks the Debian package as Debian and the desktops do: lintian without
# errors or warnings, the AppStream metadata and the desktop entry valid.
# Skips (77), saying why, when no package was made or a checker is missing.
set -eu
build=$1
deb=$(ls "$build"/spurwerk_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "SKIPPED: no package in $build (run cpack -G DEB there)"; exit 77; }
for tool in lintian appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "SKIPPED: $tool not installed (packages lintian, appstream, desktop-file-utils)"; exit 77; }
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
status=0
# lintian runs as any user; as root it says so on stderr, which is no finding.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$root/lintian.txt" 2>&1 || status=1
grep -qE '^[EW]: ' "$root/lintian.txt" && status=1
if [ $status -ne 0 ]; then
  echo "lintian reports errors or warnings:"; cat "$root/lintian.txt"
fi
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1)
if [ -z "$metainfo" ]; then
  echo "no AppStream metainfo file in the package"; status=1
elif ! appstreamcli validate --no-net "$metainfo"; then
  echo "appstreamcli validate failed"; status=1
fi
if ! desktop-file-validate "$root/usr/share/applications/spurwerk.desktop"; then
  echo "desktop-file-validate failed"; status=1
fi
[ $status -eq 0 ] && echo "package checks ok: lintian, AppStream, desktop entry: $deb"
exit $status
