#!/usr/bin/env bash
# real_window.sh <build-dir>: starts the program built in <build-dir> on a
# virtual X display (the real window system, not the offscreen one the
# tests use), waits until it has written where its menu bar, tool bar, tree,
# sheet and status bar lie, takes a screen shot, ends the program with
# SIGTERM (it must exit with 0) and judges the shot with kw_layout_check.
# The shot and the rectangles stay in <build-dir> as real-window.png and
# real-window.layout. Three more runs open a page of their own at start
# (KW3700_START_PAGE) and are judged for that page's colours: memory
# channels 100 - 199, repeater group 02 and the common settings, kept as
# real-window-memory, real-window-repeater and real-window-settings. Then,
# on the same display, a user's whole job in the window (tests/gui/user_flow.sh:
# read the emulated radio, edit, save, a bigger font, reopen, print all pages
# to a PDF file, write, the cable pulled, the Japanese interface, closing
# with unsaved changes), its shots kept as
# real-window-flow-<step>-<name>.png.
set -euo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)"

if [ "${1:-}" != "--inside" ]; then
  build="$(cd "${1:?usage: real_window.sh <build-dir>}" && pwd)"
  if ! grep -q KW3700_LAYOUT_DUMP "$src/app/main.cpp"; then
    echo "real window: skipped (app/main.cpp does not write its layout yet)"
    exit 0
  fi
  for tool in xvfb-run import; do
    command -v "$tool" >/dev/null || { echo "real window: $tool is missing (scripts/setup.sh)"; exit 1; }
  done
  for f in "$build/app/kw3700" "$build/tests/kw_layout_check" "$build/tests/kw_flow_fixture" \
           "$build/tests/radioemu/radioemu"; do
    [ -x "$f" ] || { echo "real window: $f is not built"; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$build"
fi

build="$2"
program="$build/app/kw3700"
shot="$build/real-window.png"
layout="$build/real-window.layout"
log="$build/real-window.log"
timeout_s=60
scratch="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "real window: FAILED: $*"; [ -s "$log" ] && sed 's/^/real window:   | /' "$log"; exit 1; }

# Settings of a finished setup (the stamp and a destination), English, the
# tool bar shown.
mkdir -p "$scratch/config" "$scratch/machine" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cat > "$scratch/config/kw3700.conf" <<'CONF'
[Global]
BBT=753951
ComPort=1

[Setup]
Etc%20Data=1327121
ModelType=2

[View%20Option]
FontSize%20Percentage=100
Language=0
Toolbar%20Visible=1

[Window%20Position]
Left=40
Top=30
Width=900
Height=700
SplitterV=200
CONF
# One run: the program opens `page` (none: its first page), writes its
# rectangles, is photographed until the shot passes for `kind` (or five
# shots failed) and ends by SIGTERM with exit code 0.
shoot() {
  local page="$1" kind="$2" name="$3"
  shot="$build/$name.png"
  layout="$build/$name.layout"
  log="$build/$name.log"
  rm -f "$shot" "$layout" "$log"

  echo "real window: starting $program on display $DISPLAY${page:+ at $page}"
  KW3700_CONFIG_DIR="$scratch/config" KW3700_MACHINE_CONFIG_DIR="$scratch/machine" \
    XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb KW3700_LAYOUT_DUMP="$layout" \
    KW3700_START_PAGE="$page" "$program" >"$log" 2>&1 &
  pid=$!

  # The program writes its rectangles once the page is open.
  local waited=0
  until [ -f "$layout" ] && grep -q '^statusbar ' "$layout"; do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" && rc=0 || rc=$?; pid=""; fail "the program ended (exit $rc) before it wrote its layout"; }
    [ "$waited" -lt $((timeout_s * 10)) ] || fail "no layout in $layout after ${timeout_s} s"
    sleep 0.1
    waited=$((waited + 1))
  done

  # The window may still be painting: judge a few shots before giving up.
  local verdict=1
  for attempt in 1 2 3 4 5; do
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "the program ended while it was being photographed"
    import -window root "$shot"
    if XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen \
        "$build/tests/kw_layout_check" "$shot" "$layout" "$kind" \
        >"$scratch/check" 2>&1; then
      verdict=0
      break
    fi
  done

  kill -TERM "$pid"
  wait "$pid" && rc=0 || rc=$?
  pid=""
  cat "$scratch/check"
  [ "$verdict" = 0 ] || fail "the screen shot ($shot) does not show a sound $kind page"
  [ "$rc" = 0 ] || fail "the program exited with $rc after SIGTERM (0 expected)"
}

shoot "" start real-window
shoot "[St_ColCut]GI_Sheet_MemoryCH,1,100" memory real-window-memory
shoot "[St_RptList]GI_Sheet_RepeaterList,124,RptCH  1" list real-window-repeater
shoot "[St_Common]GI_Sheet_Common,250" settings real-window-settings
"$src/tests/gui/user_flow.sh" "$build" || { echo "real window: FAILED: the user's flow (above)"; exit 1; }
shot="$build/real-window*.png"
echo "real window: passed (shots kept in $shot)"
