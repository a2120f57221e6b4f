#!/usr/bin/env bash
# user_flow.sh <build-dir>: a radio amateur's whole job in the real window,
# driven from outside by synthetic keys and clicks (xdotool) on a virtual X
# display: start, read the radio, edit channels, save, a bigger font, reopen,
# print every page to a PDF file, write the radio, the cable pulled in the
# middle of a read, the Japanese interface, and closing with unsaved changes.
# The radio is the emulator (tests/radioemu/) on a pseudo-terminal, named
# COM 7 in the settings' [Ports].
#
# Each step waits for what a user would see (a window's title, a dialog, the
# text of a message box read off the screen, the text of a cell copied out
# of its editor) with a time-out; a step that does not get there fails with
# its name and keeps the last screen shot. Program and emulator are ended by
# their process ids whatever happens, and everything they write stays in a
# scratch folder that goes at the end (HOME and the XDG folders point there).
# The shot of each step stays in <build-dir> as real-window-flow-<n>-<name>.png.
#
# Run under X (real_window.sh runs it inside its virtual display); alone:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/gui/user_flow.sh build/test
set -euo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:?usage: user_flow.sh <build-dir>}" && pwd)"
program="$build/app/kw3700"
emulator="$build/tests/radioemu/radioemu"
fixture="$build/tests/kw_flow_fixture"
checker="$build/tests/kw_layout_check"
for tool in xdotool xclip import convert tesseract pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || { echo "user flow: $tool is missing (scripts/setup.sh)"; exit 1; }
done
for f in "$program" "$emulator" "$fixture" "$checker"; do
  [ -x "$f" ] || { echo "user flow: $f is not built"; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "user flow: no X display (run it under xvfb-run)"; exit 1; }

scratch="$(mktemp -d)"
mkdir -p "$scratch/config" "$scratch/machine" "$scratch/runtime" "$scratch/home" \
  "$scratch/xdg-config" "$scratch/xdg-cache" "$scratch/xdg-data" "$scratch/files"
chmod 700 "$scratch/runtime"
# Whatever the program, the checker, the OCR or Qt's file dialog write goes
# into the scratch folder.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/xdg-config" \
  XDG_CACHE_HOME="$scratch/xdg-cache" XDG_DATA_HOME="$scratch/xdg-data" \
  XDG_RUNTIME_DIR="$scratch/runtime" OMP_THREAD_LIMIT=1
conf="$scratch/config/kw3700.conf"
document="$scratch/files/flow.icf"
shots="$build/real-window-flow"
rm -f "$shots"-*.png

pid=""      # the program
emu=""      # the emulator
step_no=0
step_name=""
last_shot=""
cleanup() {
  exec 7>&- 2>/dev/null || true
  for p in "$pid" "$emu" "$clip"; do
    if [ -n "$p" ] && kill -0 "$p" 2>/dev/null; then kill -KILL "$p" 2>/dev/null || true; fi
  done
  for p in "$pid" "$emu" "$clip"; do [ -n "$p" ] && wait "$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

say() { echo "user flow: $*"; }
shot() {  # shot <name>: the screen now, kept as the step's picture
  last_shot="$shots-$step_no-$1.png"
  import -window root "$last_shot"
}
fail() {
  local keep="$shots-$step_no-failed.png"
  import -window root "$keep" 2>/dev/null || keep="$last_shot"
  say "FAILED at step $step_no ($step_name): $*"
  say "  last screen shot: $keep"
  if [ -s "$scratch/program.log" ]; then sed 's/^/user flow:   program | /' "$scratch/program.log"; fi
  if [ -s "$scratch/emulator.err" ]; then sed 's/^/user flow:   radio | /' "$scratch/emulator.err"; fi
  exit 1
}
step() {
  step_no=$((step_no + 1))
  step_name="$1"
  say "step $step_no: $step_name (at $SECONDS s)"
}

# until_ok <seconds> <what> <command...>: runs the command every 0.1 s until
# it succeeds; fails the step naming what was not seen.
until_ok() {
  local limit=$(($1 * 10)) what="$2" n=0
  shift 2
  until "$@"; do
    n=$((n + 1))
    [ "$n" -lt "$limit" ] || fail "$what: not seen within $((limit / 10)) s"
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then fail "$what: the program has ended"; fi
    sleep 0.1
  done
}

# The program's visible windows, one "id<TAB>title" a line.
windows() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    printf '%s\t%s\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null)"
  done
}
window_titled() { windows | awk -F'\t' -v t="$1" '$2 == t { print $1; exit }'; }
has_window() { [ -n "$(window_titled "$1")" ]; }
no_window() { [ -z "$(window_titled "$1")" ]; }
main_window() { windows | awk -F'\t' '$2 ~ / - KW-3700$/ { print $1; exit }'; }
has_main_window() { [ -n "$(main_window)" ]; }
title_is() { [ "$(xdotool getwindowname "$main" 2>/dev/null)" = "$1" ]; }
# A window of the program other than the main window and other than the
# windows named (a dialog or a message box).
other_window() {
  windows | awk -F'\t' -v m="$main" '$1 != m { print $1; exit }'
}
has_other_window() { [ -n "$(other_window)" ]; }
only_main_window() { [ -z "$(other_window)" ] && [ -n "$(main_window)" ]; }

# Every window of the program inside the screen.
windows_on_screen() {
  local w X Y WIDTH HEIGHT SCREEN WINDOW sw sh
  read -r sw sh < <(xdotool getdisplaygeometry)
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$X" -lt 0 ] || [ "$Y" -lt 0 ] || [ $((X + WIDTH)) -gt "$sw" ] || [ $((Y + HEIGHT)) -gt "$sh" ]; then
      fail "window \"$(xdotool getwindowname "$w")\" ($X,$Y ${WIDTH}x$HEIGHT) is not inside the screen (${sw}x$sh)"
    fi
  done
}

# The text in a rectangle of the screen (read by OCR).
read_rect() {  # read_rect <x> <y> <width> <height> [lang]
  import -window root "$scratch/read.png"
  convert "$scratch/read.png" -crop "${3}x${4}+$1+$2" +repage -resize 300% \
    -colorspace Gray "$scratch/read-box.png"
  tesseract "$scratch/read-box.png" - -l "${5:-eng}" --psm 6 2>/dev/null | tr '\n' ' '
}
read_window() {  # read_window <id> [lang]
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  read_rect "$X" "$Y" "$WIDTH" "$HEIGHT" "${2:-eng}"
}
# box <text> <seconds>: waits for a message box and reads it; the box's
# text must hold the words given.
box_id=""
boxes=0
box() {
  until_ok "$2" "a message box saying \"$1\"" has_window "KW-3700"
  box_id="$(window_titled "KW-3700")"
  sleep 0.2
  boxes=$((boxes + 1))
  shot "box$boxes"
  local text
  text="$(read_window "$box_id" "${3:-eng}")"
  say "  box: $text"
  grep -qiF -- "$1" <<<"$text" || fail "the message box does not say \"$1\" (it reads: $text)"
}

# Keys go to the window that has the focus; with no window manager a window
# gets it by hand: the main window once its dialogs have gone, a dialog as
# it opens.
focus_window() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }
focus_main() { focus_window "$main"; }
keys() {
  if [ -n "$main" ] && [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" = 1 ]; then
    focus_main
  fi
  xdotool key --delay 40 "$@"
}
type_text() { xdotool type --delay 30 "$1"; }

# The text of the current cell, from its in-place editor (opened with
# Enter, copied, closed with Escape).
clip=""
cell_text() {
  # An empty clipboard first, so that an editor that did not open shows as
  # nothing copied, not as the last cell read (the holder of the empty text
  # ends when the program takes the clipboard over, or once it is read).
  xclip -selection clipboard -i -quiet -loops 1 </dev/null >/dev/null 2>&1 &
  clip=$!
  sleep 0.1
  keys Return
  sleep 0.3
  keys ctrl+a ctrl+c
  sleep 0.2
  timeout 5 xclip -o -selection clipboard 2>/dev/null || true
  keys Escape
  kill "$clip" 2>/dev/null || true
  wait "$clip" 2>/dev/null || true
  clip=""
  sleep 0.1
}
expect_cell() {  # expect_cell <what> <text>
  local got
  got="$(cell_text)"
  [ "$got" = "$2" ] || fail "$1 shows \"$got\" where \"$2\" was due"
  say "  $1: $got"
}

# Keys for a dialog: the focus to the window of that title.
dialog_focus() {  # dialog_focus <title>
  focus_window "$(window_titled "$1")"
  sleep 0.2
}

# The View menu's Font Size list open: the menu and its list, both titled
# after the program.
font_menu_open() { [ "$(windows | awk -F'\t' '$2 == "kw3700"' | wc -l)" -ge 2 ]; }
# Which of the list's five items (1 - 5) has its check mark: the dark pixels
# of the list's left edge, by their mean height.
font_menu_checked() {
  local w list="" right=-1 X Y WIDTH HEIGHT SCREEN WINDOW
  # The list opens to the right of the View menu.
  for w in $(windows | awk -F'\t' '$2 == "kw3700" { print $1 }'); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$X" -gt "$right" ]; then right="$X"; list="$w"; fi
  done
  [ -n "$list" ] || return 0
  eval "$(xdotool getwindowgeometry --shell "$list")"
  import -window root "$scratch/menu.png"
  convert "$scratch/menu.png" -crop "22x${HEIGHT}+${X}+${Y}" +repage -colorspace Gray \
    -threshold 25% txt:- |
    awk -F'[,:]' -v h="$HEIGHT" '/gray\(0\)|black/ { s += $2; n++ }
      END { if (n) print int(s / n * 5 / h) + 1 }'
}

# A PDF file that is complete: it ends with its end-of-file mark.
pdf_complete() { [ -s "$1" ] && tail -c 32 "$1" | grep -q '%%EOF'; }

layout="$scratch/layout"
layout_has() { [ -f "$layout" ] && grep -q "$1" "$layout"; }
# judge <page> [marked|unmarked]: every window inside the screen, and the
# layout checker on the last shot (taken again while the window may still be
# painting)
judge() {
  windows_on_screen
  local n=0
  until "$checker" "$last_shot" "$layout" "$@" >"$scratch/check" 2>&1; do
    n=$((n + 1))
    [ "$n" -lt 5 ] || fail "$(tr '\n' ' ' <"$scratch/check")"
    sleep 0.3
    import -window root "$last_shot"
  done
}

# The program, started in the scratch folder with its own settings.
start_program() {  # start_program <locale> [arguments]
  local lang="$1"
  shift
  rm -f "$layout"
  (cd "$scratch/files" && exec env LANG="$lang" LC_ALL="$lang" LANGUAGE= \
    KW3700_CONFIG_DIR="$scratch/config" KW3700_MACHINE_CONFIG_DIR="$scratch/machine" \
    QT_QPA_PLATFORM=xcb KW3700_LAYOUT_DUMP="$layout" "$program" "$@") \
    >"$scratch/program.log" 2>&1 &
  pid=$!
  main=""
}
wait_main() {  # wait_main <title>
  until_ok 20 "the main window titled \"$1\"" has_window "$1"
  main="$(window_titled "$1")"
  until_ok 10 "the main window's first page" layout_has '^statusbar '
  focus_main
}
# Ends the program and expects exit code 0.
wait_exit() {  # wait_exit <seconds>
  local n=0
  while kill -0 "$pid" 2>/dev/null; do
    n=$((n + 1))
    [ "$n" -lt $(($1 * 10)) ] || fail "the program did not end within $1 s"
    sleep 0.1
  done
  local rc=0
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" = 0 ] || fail "the program ended with exit code $rc (0 expected)"
}
stop_program() {
  kill -TERM "$pid"
  wait_exit 10
}

# Memory channels 0 - 99 from the tree: the first node, everything below it
# unfolded, three down.
open_channels_0_99() {
  local x y w h
  read -r _ x y w h < <(grep '^tree ' "$layout")
  xdotool mousemove $((x + 40)) $((y + 8)) click 1
  sleep 0.2
  keys Home asterisk Down Down Down
  until_ok 5 "the page \"0 - 99\" (its title line)" layout_has '^title '
  keys Tab
  sleep 0.3
}

# The emulated radio: destination 2, the known image; commands through a
# pipe, answers in a file.
"$fixture" radio 2 "$scratch/radio.bin" || { say "the radio's image cannot be made"; exit 1; }
mkfifo "$scratch/emulator.in"
"$emulator" --memory "$scratch/radio.bin" --info-byte 18=2 --info-byte 20=8 \
  <"$scratch/emulator.in" >"$scratch/emulator.out" 2>"$scratch/emulator.err" &
emu=$!
exec 7>"$scratch/emulator.in"
n=0
until [ -s "$scratch/emulator.out" ]; do
  n=$((n + 1))
  [ "$n" -lt 50 ] || { say "the emulator did not start"; exit 1; }
  sleep 0.1
done
pty="$(head -1 "$scratch/emulator.out")"
radio() {  # radio <command>: one command, its answer
  local before
  before="$(wc -l <"$scratch/emulator.out")"
  echo "$1" >&7
  local n=0
  until [ "$(wc -l <"$scratch/emulator.out")" -gt "$before" ]; do
    n=$((n + 1))
    [ "$n" -lt 100 ] || fail "the emulator did not answer \"$1\""
    sleep 0.1
  done
  tail -1 "$scratch/emulator.out"
}
say "the radio is on $pty as COM 7"

# Fresh settings: the radio's port only; at the end they must hold what
# the setup took from the radio (destination 2).
etc="$("$fixture" etcdata 2)"
printf '[Ports]\nCOM7=%s\n' "$pty" >"$conf"

step "start"
start_program C.UTF-8
until_ok 20 "the setup dialog" has_window "Initial Setup"
setup="$(window_titled "Initial Setup")"
focus_window "$setup"
sleep 0.3
shot "setup"
windows_on_screen
# The COM port's box follows the explanation and the radio's choice.
xdotool key --delay 40 Tab Tab
type_text "7"
xdotool key Return
until_ok 30 "the main window after the setup read the radio" has_window "Untitled - KW-3700"
wait_main "Untitled - KW-3700"
# As a user would: a bigger window, for the channel page's columns.
xdotool windowmove --sync "$main" 20 20 windowsize --sync "$main" 1200 900 2>/dev/null || true
until_ok 5 "the window at its new size" layout_has '^window .* 1200 900$'
shot "start"
judge start

step "read"
focus_main
keys alt+c r
until_ok 10 "the progress window" has_window "Cloning"
until_ok 60 "the end of the read (progress window gone)" no_window "Cloning"
sleep 0.3
if has_other_window; then
  fail "the read ended with \"$(xdotool getwindowname "$(other_window)")\": $(read_window "$(other_window)")"
fi
title_is "Untitled - KW-3700" || fail "the title is \"$(xdotool getwindowname "$main")\""
open_channels_0_99
shot "read"
judge memory unmarked
expect_cell "channel 0's frequency" "146.520000"
keys Right Right Right Right Right
expect_cell "channel 0's name" "FLOW RADIO"
keys Left Left Left Left Left

step "edit"
keys Down
type_text "145.5"
keys Return
expect_cell "channel 1's frequency" "145.500000"
keys Right Right Right Right Right
type_text "FLOW EDIT"
keys Return
expect_cell "channel 1's name" "FLOW EDIT"
keys Right Right Return
until_ok 5 "the tone mode's popup list" has_other_window
sleep 0.2
popup="$(read_window "$(other_window)")"
grep -q "TSQL" <<<"$popup" || fail "the popup list is not the tone modes': $popup"
keys Down Down Return
until_ok 5 "the popup list closed" only_main_window
sleep 0.4
shot "edit"
judge memory unmarked
# Channel 2 out of the band: its warning mark within a second.
keys Down Left Left Left Left Left Left Left
type_text "300"
keys Return
sleep 1
shot "warning"
"$checker" "$last_shot" "$layout" memory marked >"$scratch/check" 2>&1 ||
  fail "no warning mark a second after the out-of-band frequency: $(cat "$scratch/check")"

step "save as"
keys alt+f a
until_ok 10 "the Save As dialog" has_window "Save As"
keys ctrl+a
type_text "$document"
keys Return
box "marked with warnings" 10
keys n
until_ok 10 "the title \"flow.icf - KW-3700\"" title_is "flow.icf - KW-3700"
[ -s "$document" ] || fail "$document was not written"
for want in "0:1 146520000 FLOW RADIO " "1:1 145500000 FLOW EDIT 3" "2:1 300000000 "; do
  got="$("$fixture" channel "$document" "${want%%:*}")" || fail "$document cannot be read"
  say "  saved channel ${want%%:*}: $got"
  [[ "$got" == "${want#*:}"* ]] || fail "the saved channel ${want%%:*} is \"$got\" (\"${want#*:}...\" due)"
done
shot "saved"

step "font size"
# View, Font Size, 120%: the sheet is drawn bigger, and the size is kept.
keys alt+v s
until_ok 5 "the Font Size menu" font_menu_open
checked="$(font_menu_checked)"
[ "$checked" = 3 ] || fail "the Font Size menu marks item ${checked:-none} (3, \"100%\", due at first)"
keys 4
until_ok 5 "the menus closed" only_main_window
sleep 0.4
shot "font-120"
judge memory marked
keys alt+F4
wait_exit 10
grep -q '^FontSize%20Percentage=120$' "$conf" ||
  fail "the settings do not keep the font size 120%: $(grep '^FontSize' "$conf" || echo none)"
start_program C.UTF-8
wait_main "Untitled - KW-3700"
keys alt+v s
until_ok 5 "the Font Size menu after the restart" font_menu_open
shot "font-kept"
checked="$(font_menu_checked)"
[ "$checked" = 4 ] || fail "after the restart the Font Size menu marks item ${checked:-none} (4, \"120%\", due)"
keys Escape Escape
until_ok 5 "the menus closed" only_main_window

step "reopen"
keys ctrl+o
until_ok 10 "the Open dialog" has_other_window
keys ctrl+a
type_text "$document"
keys Return
until_ok 10 "the title \"flow.icf - KW-3700\"" title_is "flow.icf - KW-3700"
open_channels_0_99
expect_cell "channel 0's frequency" "146.520000"
keys Down
expect_cell "channel 1's frequency" "145.500000"
keys Right Right Right Right Right
expect_cell "channel 1's name" "FLOW EDIT"
keys Left Left Left Left Left Down
expect_cell "channel 2's frequency" "300.000000"
shot "reopened"
judge memory marked
# Once more from the File menu's recent list: its first item.
keys alt+F4
wait_exit 10
start_program C.UTF-8
wait_main "Untitled - KW-3700"
keys alt+f 1
until_ok 10 "the title \"flow.icf - KW-3700\" (from the recent list)" title_is "flow.icf - KW-3700"
open_channels_0_99
expect_cell "channel 0's frequency (recent list)" "146.520000"
keys Down
expect_cell "channel 1's frequency (recent list)" "145.500000"
keys Down
expect_cell "channel 2's frequency (recent list)" "300.000000"
shot "recent"
judge memory marked

step "print all"
# File, Print, All...: the choice of pages (OK), the printer set-up (the
# PDF file, with its name typed), the preview (Print), "Now Printing".
pdf="$scratch/files/flow-all.pdf"
focus_main
keys alt+f p a
until_ok 10 "the Print All dialog" has_window "Print All"
dialog_focus "Print All"
shot "print-choice"
windows_on_screen
keys Return
until_ok 10 "the printer set-up dialog" has_window "Print"
dialog_focus "Print"
# The last printer of the list is Qt's PDF file; its file name box.
keys alt+n End
sleep 0.3
keys alt+f ctrl+a
type_text "$pdf"
sleep 0.3
shot "print-setup"
windows_on_screen
text="$(read_window "$(window_titled "Print")")"
grep -qF "PDF" <<<"$text" || fail "the printer set-up does not show the PDF printer: $text"
keys Return
until_ok 60 "the print preview" has_window "KW-3700"
preview="$(window_titled "KW-3700")"
focus_window "$preview"
sleep 0.5
shot "print-preview"
windows_on_screen
eval "$(xdotool getwindowgeometry --shell "$preview" | sed 's/^/p_/')"
pages="$(read_rect "$p_X" $((p_Y + p_HEIGHT - 24)) 120 24 | sed -n 's|.*[0-9] */ *\([0-9][0-9]*\).*|\1|p')"
say "  the preview's pages: ${pages:-not read}"
[ -n "$pages" ] && [ "$pages" -gt 1 ] || fail "the preview does not show more than one page (its status bar: \"$pages\")"
keys alt+p
until_ok 120 "the PDF file complete ($pdf)" pdf_complete "$pdf"
until_ok 10 "the printing window gone" only_main_window
title_is "flow.icf - KW-3700" || fail "the title became \"$(xdotool getwindowname "$main")\""
shot "printed"
info="$(pdfinfo "$pdf" 2>&1)" || fail "$pdf is not a sound PDF file: $(tr '\n' ' ' <<<"$info")"
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "$pdf does not begin with %PDF-"
printed="$(sed -n 's/^Pages: *//p' <<<"$info")"
say "  $pdf: $printed pages, $(stat -c %s "$pdf") bytes"
[ "$printed" = "$pages" ] || fail "the PDF file has ${printed:-no} pages, the preview showed $pages"
# The reopened document on paper: the edited channel's frequency and name.
pdftotext -layout "$pdf" "$scratch/printed.txt" || fail "the text of $pdf cannot be read"
for want in "145.500000" "FLOW EDIT" "FLOW RADIO"; do
  grep -qF "$want" "$scratch/printed.txt" || fail "the printed pages do not show \"$want\""
done
# The window usable again: the File menu opens and closes.
keys alt+f
until_ok 5 "the File menu (the main window enabled again)" has_other_window
keys Escape
until_ok 5 "the File menu closed" only_main_window

step "write"
focus_main
keys alt+c w
# The questions before a write: the warning marks (write as it is).
for _ in 1 2 3; do
  until_ok 10 "the write's question or its progress window" has_other_window
  has_window "Cloning" && break
  box "" 1
  text="$(read_window "$box_id")"
  case "$text" in
    *"Save changes"*) keys n ;;
    *"to the transceiver"*) keys Return ;;
    *) fail "an unexpected question before the write: $text" ;;
  esac
  sleep 0.3
done
until_ok 10 "the progress window" has_window "Cloning"
until_ok 60 "the end of the write (progress window gone)" no_window "Cloning"
box "Writing to the transceiver is complete" 10
keys Return
until_ok 5 "the box closed" only_main_window
shot "written"
answer="$(radio "dump $scratch/radio-written.bin")"
[[ "$answer" == ok* ]] || fail "the emulator's dump: $answer"
"$fixture" compare "$document" "$scratch/radio-written.bin" >"$scratch/compare" 2>&1 ||
  fail "the radio's memory is not the saved document's: $(tr '\n' ' ' <"$scratch/compare")"
say "  $(tail -1 "$scratch/compare")"

step "unplug"
answer="$(radio "cut-after 100")"
[[ "$answer" == ok* ]] || fail "the emulator's cut: $answer"
title_before="$(xdotool getwindowname "$main")"
focus_main
keys alt+c r
for _ in 1 2; do
  until_ok 10 "the read's progress window" has_other_window
  has_window "Cloning" && break
  box "" 1
  keys n  # do not save first
  sleep 0.3
done
box "No answer" 30
keys Return
until_ok 10 "the end of the cut read" only_main_window
title_is "$title_before" || fail "the title became \"$(xdotool getwindowname "$main")\""
open_channels_0_99
expect_cell "channel 2's frequency, after the cut" "300.000000"
keys Up
expect_cell "channel 1's frequency, after the cut" "145.500000"
# Usable: the File menu opens and closes.
keys alt+f
until_ok 5 "the File menu" has_other_window
keys Escape
until_ok 5 "the File menu closed" only_main_window
shot "unplugged"
judge memory marked
stop_program

step "Japanese"
sed -i 's/^Language=.*/Language=1/' "$conf"
grep -q '^Language=1' "$conf" || printf '\n[View%%20Option]\nLanguage=1\n' >>"$conf"
start_program ja_JP.UTF-8
until_ok 20 "the main window" has_main_window
main="$(main_window)"
until_ok 10 "the main window's first page" layout_has '^statusbar '
title="$(xdotool getwindowname "$main")"
say "  title: $title"
[[ "$title" == *"無題"* ]] || fail "the title \"$title\" is not Japanese"
focus_main
open_channels_0_99
shot "japanese"
judge memory
read -r _ x y w h < <(grep '^menubar ' "$layout")
menu="$(read_rect "$x" "$y" $((w / 2)) "$h" jpn)"
say "  menu bar: $menu"
grep -qE 'ファイル|表示' <<<"$menu" || fail "the menu bar is not Japanese: $menu"
keys Down Down Down
type_text "145"
keys Return
keys alt+F4
box "" 10 jpn
text="$(read_window "$box_id" jpn)"
grep -qE 'いいえ|キャンセル|はい' <<<"$text" || fail "the message box's buttons are not Japanese: $text"
keys Escape
until_ok 5 "the question closed" only_main_window
stop_program

step "close with unsaved changes"
sed -i 's/^Language=.*/Language=0/' "$conf"
start_program C.UTF-8
wait_main "Untitled - KW-3700"
open_channels_0_99
keys Down Down Down
type_text "145"
keys Return
before="$(stat -c %Y.%s "$conf")"
keys alt+F4
box "save" 10
keys Escape
until_ok 5 "the question closed" only_main_window
sleep 0.5
has_window "$(xdotool getwindowname "$main")" || fail "Cancel did not keep the window"
shot "cancelled"
keys alt+F4
box "save" 10
keys n
wait_exit 10
after="$(stat -c %Y.%s "$conf")"
[ "$after" != "$before" ] || fail "the settings file was not written at the end"
grep -q "^COM7=$pty" "$conf" || fail "the settings lost the radio's port"
grep -q "^ComPort=7" "$conf" || fail "the settings do not keep COM 7"
grep -q "^Etc%20Data=$etc" "$conf" || fail "the settings do not keep destination 2 ($etc)"
grep -q '^FontSize%20Percentage=120$' "$conf" || fail "the settings lost the font size 120%"
shot "closed"

say "passed in $SECONDS s (shots kept in $shots-*.png)"
