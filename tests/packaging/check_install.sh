#!/usr/bin/env bash
# The installed program: "cmake --install" into a temporary root, then the files in their places,
# the desktop entry and metainfo as their validators see them, the command line of both programs
# without a display, and the launcher starting the program on a working folder to prepare (with a
# stand-in for the program that tells how it was started).
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

# --help and --version answer on stdout without a display and without touching any folder (the
# current one, the home folder); an unknown option gives the usage on stderr and status 2.
quiet="$root/quiet"
mkdir -p "$quiet/home" "$quiet/here"
without_display() {
  (cd "$quiet/here" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= HOME="$quiet/home" "$@")
}
versions=""
for program in vorlax-ktd-log vorlax-ktd-log-start; do
  for option in --help --version; do
    without_display "$usr/bin/$program" "$option" >"$root/out" 2>"$root/err" ||
      fail "$program $option ended with status $?"
    [ -s "$root/out" ] && [ ! -s "$root/err" ] || fail "$program $option: not on stdout alone"
  done
  versions="$versions $(awk '{ print $NF }' "$root/out")"
  status=0
  without_display "$usr/bin/$program" --no-such-option >"$root/out" 2>"$root/err" || status=$?
  [ "$status" = 2 ] || fail "$program with an unknown option: status $status, not 2"
  [ ! -s "$root/out" ] && grep -q "^Aufruf: $program" "$root/err" ||
    fail "$program with an unknown option: no usage on stderr"
done
read -r first second <<<"$versions"
[ -n "$first" ] && [ "$first" = "$second" ] || fail "the programs tell different versions:$versions"
[ -z "$(find "$quiet" -mindepth 2)" ] || fail "the command line touched a folder: $(find "$quiet" -mindepth 2)"


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

# The launcher, with a stand-in program that writes its folder and arguments to $STARTED_IN.
cat >"$usr/bin/vorlax-ktd-log" <<'STAND_IN'
#!/bin/sh
{ pwd; printf '%s\n' "$@"; } >"$STARTED_IN"
STAND_IN
export STARTED_IN="$root/started-in"
launch() {
  rm -f "$STARTED_IN"
  (cd "$root" && HOME="$root/home" "$@" >/dev/null)
  [ -f "$STARTED_IN" ] || fail "$* did not start the program"
}
# The program prepares the folder itself: the launcher hands it the installed shared files and the
# folder, after "--" so that a folder named like an option is still a folder.
expect_started_on() {
  mapfile -t started <"$STARTED_IN"
  [ "${#started[@]}" = 5 ] && [ "${started[1]}" = --prepare-from ] && [ "${started[3]}" = -- ] ||
    fail "unexpected start: ${started[*]}"
  [ "$(readlink -f "${started[2]}")" = "$share" ] || fail "shared files not at ${started[2]}"
  [ "${started[4]}" = "$1" ] || fail "started on ${started[4]}, not on $1"
}

mkdir "$root/home"
launch "$usr/bin/vorlax-ktd-log-start"
expect_started_on "$root/home/VORLAX_KTD_Log"
[ -z "$(ls -A "$root/home")" ] || fail "the launcher made something itself"

# A folder given on the command line, with blanks in its name or named like an option, through a
# link to the launcher.
ln -s "$usr/bin/vorlax-ktd-log-start" "$root/start-link"
launch "$root/start-link" "$root/Mein KTD 2025"
expect_started_on "$root/Mein KTD 2025"
launch "$root/start-link" -- -KTD-
expect_started_on -KTD-
echo "installed layout, command line and launcher: ok"
