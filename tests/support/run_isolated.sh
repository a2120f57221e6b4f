#!/bin/sh
# Runs one test command in scratch HOME / XDG / TMPDIR folders, offscreen.
# Whatever the test leaves in its temporary folder fails it: every test
# removes what it makes.
d=$(mktemp -d "${TMPDIR:-/tmp}/kw3700-test.XXXXXX") || exit 1
mkdir -p "$d/home" "$d/config" "$d/runtime" "$d/machine" "$d/tmp" && chmod 700 "$d/runtime"
HOME="$d/home" XDG_CONFIG_HOME="$d/config" XDG_RUNTIME_DIR="$d/runtime" \
KW3700_MACHINE_CONFIG_DIR="$d/machine" TMPDIR="$d/tmp" QT_QPA_PLATFORM=offscreen \
  "$@"
rc=$?
left=$(ls -A "$d/tmp")
if [ -n "$left" ]; then
  echo "left behind in the temporary folder:" $left >&2
  [ $rc = 0 ] && rc=1
fi
# A test may have left a folder read-only.
chmod -R u+rwx "$d" 2>/dev/null
rm -rf "$d"
exit $rc
