#!/bin/sh
# Unpacks the Debian package into a scratch root and runs the installed
# command line from there on the demo card. Skips (77) when no package was made.
set -eu
build=$1
deb=$(ls "$build"/spurwerk_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "no package in $build (run cpack -G DEB there)"; exit 77; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for f in usr/bin/spurwerk usr/bin/spurwerk-cli usr/lib/spurwerk/Spurwerk usr/lib/spurwerk/PRJDATA_VorlageR16.ZDT \
         usr/lib/spurwerk/WAV_Vorlage_1sec44kSTEREO24b.WAV usr/lib/spurwerk/Spurwerk_GUI_English.INI \
         usr/lib/spurwerk/Spurwerk_README_English.TXT usr/share/applications/spurwerk.desktop \
         usr/share/mime/packages/spurwerk-zdt.xml usr/share/icons/hicolor/scalable/apps/spurwerk.svg \
         usr/share/man/man1/spurwerk-cli.1.gz usr/share/man/man1/spurwerk.1.gz \
         usr/share/doc/spurwerk/copyright usr/share/doc/spurwerk/changelog.gz \
         usr/share/metainfo/io.github.spurwerk.Spurwerk.metainfo.xml \
         usr/share/bash-completion/completions/spurwerk-cli usr/share/zsh/vendor-completions/_spurwerk-cli \
         usr/lib/spurwerk/Spurwerk_Installed.txt; do
  [ -e "$root/$f" ] || { echo "missing in the package: /$f"; exit 1; }
done
# What a test run wrote beside the programs in the build folder never ships.
stray=$(ls "$root/usr/lib/spurwerk" | grep -E '^Spurwerk(\.INI|_.*\.HIS|_WindowPositions\.INI)$' || true)
[ -z "$stray" ] || { echo "side files of a test run in the package: $stray"; exit 1; }
gzip -t "$root/usr/share/man/man1/spurwerk-cli.1.gz" || { echo "the manual page is no gzip file"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "Depends lacks the Qt libraries"; exit 1; }
# Playback's module ships beside the program, and its Qt Multimedia is a dependency
# even though the program itself does not link it.
if [ -e "$build/bin/spurwerk_playback_qt.so" ]; then
  [ -e "$root/usr/lib/spurwerk/playback/spurwerk_playback_qt.so" ] || { echo "missing in the package: the playback module"; exit 1; }
  dpkg-deb -f "$deb" Depends | grep -q libqt6multimedia6 || { echo "Depends lacks Qt Multimedia"; exit 1; }
fi
"$root/usr/bin/spurwerk-cli" --version | grep -q "^spurwerk-cli [0-9.]* (built 20" || { echo "bad --version"; exit 1; }
# The installed program finds its templates: a project saved from there gets its WAV files.
card=$(mktemp -d)
trap 'rm -rf "$root" "$card"' EXIT
cp -r "$build/demo-card/PROJ001" "$card/"
"$root/usr/bin/spurwerk-cli" info "$card/PROJ001/PRJDATA.ZDT" | grep -q '^Project: "SONG1"'
rm "$card/PROJ001/AUDIO/TRACK02.WAV"
"$root/usr/bin/spurwerk-cli" save-project "$card/PROJ001/PRJDATA.ZDT" "$card/PROJ002/PRJDATA.ZDT" --yes >/dev/null
[ -s "$card/PROJ002/AUDIO/TRACK02.WAV" ] || { echo "template WAV not found by the installed program"; exit 1; }
# The libraries opened on first use are not linked: the package names them, and
# the installed program finds them (archiving uses libarchive and libFLAC,
# importing libsndfile).
depends=$(dpkg-deb -f "$deb" Depends)
for p in libarchive13 libflac12 libsndfile1 libsoxr0; do
  echo "$depends" | grep -q "$p" || { echo "Depends lacks $p (a library opened on first use)"; exit 1; }
done
mkdir "$card/store"
"$root/usr/bin/spurwerk-cli" archive "$card/PROJ001" --to "$card/store" >/dev/null
"$root/usr/bin/spurwerk-cli" archive --verify "$card/store/"*.tar >/dev/null
"$root/usr/bin/spurwerk-cli" import "$card/PROJ001/AUDIO/TRACK01.WAV" "$card/PROJ002/PRJDATA.ZDT" --track 8 >/dev/null
echo "package ok: $deb"
