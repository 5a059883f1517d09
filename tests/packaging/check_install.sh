#!/usr/bin/env bash
# The installed program: "cmake --install" into a temporary root, then the files in their places,
# the desktop entry and metainfo as their validators see them, and the launcher preparing and
# starting a working folder (with a stand-in for the program that tells where it was started).
# Usage: check_install.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
build=$1
source=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root/dest" cmake --install "$build" --prefix /usr >/dev/null ||
  fail "cmake --install failed (is everything built?)"
usr="$root/dest/usr"
share="$usr/share/vorlax-ktd-log"

for program in vorlax-ktd-log ktd-keyer-bench vorlax-ktd-log-start; do
  [ -x "$usr/bin/$program" ] || fail "bin/$program missing or not executable"
done
cmp "$build/share/dxcc.sqlite" "$share/db/dxcc.sqlite" || fail "dxcc.sqlite differs"
samples=0
for sample in "$source"/data/*; do
  cmp "$sample" "$share/data/$(basename "$sample")" || fail "sample $(basename "$sample") differs"
  samples=$((samples + 1))
done
[ "$samples" -ge 2 ] || fail "sample files not found in $source/data"

desktop="$usr/share/applications/ch.vorlax.ktdlog.desktop"
metainfo="$usr/share/metainfo/ch.vorlax.ktdlog.metainfo.xml"
icon="$usr/share/icons/hicolor/scalable/apps/ch.vorlax.ktdlog.svg"
for file in "$desktop" "$metainfo" "$icon"; do [ -s "$file" ] || fail "$file missing"; done
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate"
grep -qx "Exec=vorlax-ktd-log-start" "$desktop" || fail "the desktop entry does not start the launcher"
grep -qx "Icon=ch.vorlax.ktdlog" "$desktop" || fail "the desktop entry names another icon"

# The machine-readable copyright file: its format line, the project's licence, and every Files
# paragraph with a Copyright and a License whose text is given in a License paragraph.
copyright="$usr/share/doc/vorlax-ktd-log/copyright"
[ -s "$copyright" ] || fail "$copyright missing"
[ "$(head -1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "the copyright file is not in the machine-readable format"
grep -qx "License: GPL-3.0-or-later" "$copyright" || fail "the copyright file names no GPL-3.0-or-later"
faults=$(awk -v RS= '
  /^Files:/ {
    if ($0 !~ /\nCopyright: / || !match($0, /\nLicense: [^\n]*/)) print "incomplete: " $2
    else used[substr($0, RSTART + 10, RLENGTH - 10)] = 1
  }
  /^License: [^\n]*\n / { split($0, lines, "\n"); given[substr(lines[1], 10)] = 1 }
  END { for (name in used) if (!(name in given)) print "no licence text: " name }' "$copyright")
[ -z "$faults" ] || fail "copyright file: $faults"

# Real-time priority for the keyer of every member of dialout, as high as the keyer asks for.
limits="$root/dest/etc/security/limits.d/95-vorlax-ktd-log.conf"
[ -s "$limits" ] || fail "$limits missing"
priority=$(sed -n 's/^constexpr int kRealTimePriority = \([0-9]*\);.*/\1/p' \
  "$source/src/keyer/keyer_thread.cpp")
[ -n "$priority" ] || fail "the keyer's real-time priority not found in keyer_thread.cpp"
grep -qx "@dialout - rtprio $priority" "$limits" || fail "$limits does not grant dialout rtprio $priority"

# The launcher, with a stand-in program that writes its working folder to $STARTED_IN.
cat >"$usr/bin/vorlax-ktd-log" <<'STAND_IN'
#!/bin/sh
pwd >"$STARTED_IN"
STAND_IN
export STARTED_IN="$root/started-in"
launch() {
  rm -f "$STARTED_IN"
  HOME="$root/home" "$@" >/dev/null
  [ -f "$STARTED_IN" ] || fail "$* did not start the program"
  cat "$STARTED_IN"
}
expect_prepared() {
  cmp "$share/db/dxcc.sqlite" "$1/db/dxcc.sqlite" || fail "$1: dxcc.sqlite not copied"
  for sample in "$share"/data/*; do
    cmp "$sample" "$1/data/$(basename "$sample")" || fail "$1: $(basename "$sample") not copied"
  done
}

mkdir "$root/home"
[ "$(launch "$usr/bin/vorlax-ktd-log-start")" = "$root/home/VORLAX_KTD_Log" ] ||
  fail "without a folder the program does not start in ~/VORLAX_KTD_Log"
expect_prepared "$root/home/VORLAX_KTD_Log"

# The operator's own files stay as they are; only what is missing is copied again.
work="$root/home/VORLAX_KTD_Log"
echo "eigene Liste" >"$work/data/Muster Stationen.csv"
rm "$work/db/dxcc.sqlite"
launch "$usr/bin/vorlax-ktd-log-start" >/dev/null
[ "$(cat "$work/data/Muster Stationen.csv")" = "eigene Liste" ] || fail "a sample file was overwritten"
cmp "$share/db/dxcc.sqlite" "$work/db/dxcc.sqlite" || fail "a missing dxcc.sqlite was not copied"

# A folder given on the command line, with blanks in its name, through a link to the launcher.
ln -s "$usr/bin/vorlax-ktd-log-start" "$root/start-link"
[ "$(launch "$root/start-link" "$root/Mein KTD 2025")" = "$root/Mein KTD 2025" ] ||
  fail "the given folder is not used"
expect_prepared "$root/Mein KTD 2025"
echo "installed layout and launcher: ok"
