#!/usr/bin/env bash
# Plays the real desktop program under Xvfb and checks from outside what a
# player would see and hear: the window, the first frame (against the frame
# the headless driver renders for the same state), the cannon moving, the
# prompt going at Enter, the firing sound, and the high score written when
# the window is closed or the program is told to stop.
#
# usage: desktop_e2e.sh TOLVENAR TOLVENAR_HEADLESS CLOSE_WINDOW_HELPER
set -euo pipefail

program=$1
headless=$2
close_window=$3

work=$(mktemp -d /tmp/tolvenar-e2e.XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KEEP_E2E:-}" = "" ]; then rm -rf "$work"; else echo "kept $work"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/game.err" ]; then
    echo "--- the program's standard error:" >&2
    grep -v '^CRITICAL' "$work/game.err" >&2 || true
  fi
  exit 1
}
step() { echo "== $*"; }

# Pixels that differ between two images, optionally in a region WxH+X+Y.
differing() {
  local a=$1 b=$2 region=${3:-}
  if [ -n "$region" ]; then
    /usr/bin/convert "$a" -crop "$region" +repage "$work/crop_a.png"
    /usr/bin/convert "$b" -crop "$region" +repage "$work/crop_b.png"
    a=$work/crop_a.png
    b=$work/crop_b.png
  fi
  compare -metric AE "$a" "$b" null: 2>&1 || true
}

shoot() { import -window "$wid" "png24:$1"; }

# ---- command line and the missing display, no window needed ----
step "command line"
"$program" --help | grep -q '^usage: tolvenar' || fail "--help prints no usage"
"$program" --version | grep -q '^tolvenar [0-9]' || fail "--version prints no version"
rc=0
"$program" --fullscreen 2>"$work/arg.err" >/dev/null || rc=$?
[ "$rc" -eq 2 ] || fail "an unknown argument exits with $rc, not 2"
grep -q -- "--fullscreen" "$work/arg.err" || fail "an unknown argument is not named on standard error"

step "no display"
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program" 2>"$work/nodisplay.err" || rc=$?
[ "$rc" -ne 0 ] || fail "without a display the program exits with 0"
grep -q "xvfb-run" "$work/nodisplay.err" || fail "without a display the message does not say what to do"

# ---- the X server ----
step "starting Xvfb"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
export SDL_VIDEODRIVER=x11  # never SDL's invisible fallback
export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/audio.raw"
export XDG_DATA_HOME="$work/data"
unset TOLVENAR_STATS

# A copy of the program in a folder of its own, run from another, so that no
# music is found and the sound track holds only the effects.
mkdir -p "$work/bin" "$work/run" "$work/data"
cp "$program" "$work/bin/tolvenar"

# The headless driver renders the reference frames.
reference() {  # reference OUT.png SCRIPT-LINES...
  local out=$1
  shift
  printf '%s\n' "$@" "frame $out" | "$headless" --seed 1 --data-dir "$work/headless-data" >/dev/null 2>&1 ||
    fail "the headless driver could not render $out"
}
reference "$work/ref_start.png" "tick 2"
reference "$work/ref_started.png" "tap enter" "tick 2"

launch() {
  (cd "$work/run" && exec "$work/bin/tolvenar" 2>>"$work/game.err") &
  game_pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tolvenar$' | head -n1) || true
  [ -n "$wid" ] || fail "no window named Tolvenar appeared"
}

# Waits up to 10 s for the program to end; its exit code goes to $exit_code.
wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the program did not end"
  exit_code=0
  wait "$game_pid" || exit_code=$?
  game_pid=""
}

rms() {  # rms FILE OFFSET BYTES: RMS amplitude (0..1) of a stretch of the raw track
  tail -c +"$(($2 + 1))" "$1" | head -c "$3" >"$work/stretch.raw"
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/stretch.raw" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

# ---- the window and its first frame ----
step "window"
launch
geometry=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')
[ "$geometry" = "953x390" ] || fail "the window's client area is $geometry, not 953x390"
hints=$(xprop -id "$wid" WM_NORMAL_HINTS)
echo "$hints" | grep -q "minimum size: 953 by 390" || fail "the window can be made smaller"
echo "$hints" | grep -q "maximum size: 953 by 390" || fail "the window can be resized or maximised"

step "start screen"
diff_start=""
for _ in $(seq 30); do
  shoot "$work/start.png"
  diff_start=$(differing "$work/start.png" "$work/ref_start.png")
  [ "$diff_start" = "0" ] && break
  sleep 0.2
done
[ "$diff_start" = "0" ] || fail "the start screen differs from the headless frame in $diff_start pixels (see $work)"
colours=$(/usr/bin/convert "$work/start.png" -format '%k' info:)
[ "$colours" -ge 2 ] || fail "the start screen is one flat colour"
# The start prompt is written in black at (250, 60).
dark=$(/usr/bin/convert "$work/start.png" -crop 400x30+250+60 +repage -threshold 30% -negate -format '%[fx:round(mean*w*h)]' info:)
[ "$dark" -ge 100 ] || fail "no start prompt at (250, 60): $dark dark pixels"

# ---- holding Right moves the cannon ----
step "holding Right"
xdotool windowfocus --sync "$wid"
xdotool keydown Right
sleep 1
xdotool keyup Right
sleep 0.3
shoot "$work/moved.png"
# The cannon stands at y 269..299; everything above and below stays put.
[ "$(differing "$work/start.png" "$work/moved.png" 953x220+0+0)" = "0" ] || fail "holding Right changed the picture above the cannon"
[ "$(differing "$work/start.png" "$work/moved.png" 953x90+0+300)" = "0" ] || fail "holding Right changed the ground"
left_part=$(differing "$work/start.png" "$work/moved.png" 80x80+400+220)
right_part=$(differing "$work/start.png" "$work/moved.png" 400x80+500+220)
[ "$left_part" -ge 20 ] || fail "the cannon did not leave its place when Right was held ($left_part pixels changed)"
[ "$right_part" -ge 20 ] || fail "the cannon did not appear further right ($right_part pixels changed)"

# ---- Enter starts a game: the prompt goes ----
step "Enter"
xdotool key Return
sleep 0.3
shoot "$work/started.png"
prompt_diff=$(differing "$work/started.png" "$work/ref_started.png" 953x40+0+50)
[ "$prompt_diff" = "0" ] || fail "after Enter the prompt area differs from a started game in $prompt_diff pixels"
[ "$(differing "$work/start.png" "$work/started.png" 953x40+0+50)" -ge 100 ] || fail "Enter did not take the prompt away"

# ---- Space fires, and the firing is heard ----
step "Space"
before=$(stat -c %s "$work/audio.raw")
before=$((before / 4 * 4))
[ "$before" -ge 44100 ] || fail "the sound track is not being written ($before bytes)"
grep -q "no music" "$work/game.err" || fail "music was found although none should be (see the program's messages)"
cmp -s -n "$before" "$work/audio.raw" /dev/zero || fail "the sound track is not silent before the shot"
xdotool key space
second=$((44100 * 4))
for _ in $(seq 50); do
  [ "$(stat -c %s "$work/audio.raw")" -ge $((before + second)) ] && break
  sleep 0.1
done
level=$(rms "$work/audio.raw" "$before" "$second")
awk -v r="$level" 'BEGIN { exit !(r > 0.01) }' || fail "the second after Space is silent (RMS $level)"
echo "RMS of the second after the shot: $level"

# ---- closing the window saves the high score ----
step "closing the window"
score_file="$XDG_DATA_HOME/tolvenar/HighScore.ini"
rm -f "$score_file"
"$close_window" "$wid"
wait_exit
[ "$exit_code" = "0" ] || fail "closing the window ended the program with $exit_code"
grep -q '^\[HighScore\]' "$score_file" 2>/dev/null || fail "closing the window did not write $score_file"
grep -q '^Score=' "$score_file" || fail "$score_file holds no score"

step "SIGTERM"
rm -f "$score_file"
launch
kill -TERM "$game_pid"
wait_exit
[ "$exit_code" = "0" ] || fail "SIGTERM ended the program with $exit_code"
[ -f "$score_file" ] || fail "SIGTERM did not save the high score"

echo "desktop end-to-end: all checks passed"
