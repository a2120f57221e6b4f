#!/bin/sh
# Runs one test command in scratch HOME / XDG folders, offscreen.
d=$(mktemp -d "${TMPDIR:-/tmp}/kw3700-test.XXXXXX") || exit 1
mkdir -p "$d/home" "$d/config" "$d/runtime" "$d/machine" && chmod 700 "$d/runtime"
HOME="$d/home" XDG_CONFIG_HOME="$d/config" XDG_RUNTIME_DIR="$d/runtime" \
KW3700_MACHINE_CONFIG_DIR="$d/machine" QT_QPA_PLATFORM=offscreen \
  "$@"
rc=$?
rm -rf "$d"
exit $rc
