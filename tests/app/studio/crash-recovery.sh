#!/bin/bash
# Crash recovery of the desktop program, as a user meets it: start ovs-studio on a virtual
# display, type into the data window, wait for the autosave, kill the program outright,
# start it again, answer Restore, and check that every edit is back (the restored session
# is modified, so the new program writes it to its own recovery file, which is read here).
# Exit 77 (skipped) when no display server can be started here.
#
# Usage: crash-recovery.sh path/to/ovs-studio
set -u

STUDIO=${1:?usage: crash-recovery.sh path/to/ovs-studio}
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v xdotool >/dev/null || skip "xdotool is not installed"
[ -x "$STUDIO" ] || fail "no program at $STUDIO"

WORK=$(mktemp -d /tmp/ovs-crash-recovery.XXXXXX)
PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# A display number that no server uses.
DISPLAY_NUMBER=""
for n in $(seq 140 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then DISPLAY_NUMBER=$n; break; fi
done
[ -n "$DISPLAY_NUMBER" ] || skip "no free display number"
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x900x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] || skip "Xvfb could not start: $(tail -n 3 "$WORK/xvfb.log")"
export DISPLAY=":$DISPLAY_NUMBER"
if command -v openbox >/dev/null; then
    openbox >"$WORK/openbox.log" 2>&1 &
    PIDS+=($!)
fi

# A home of its own: settings with a one-second autosave, and the recovery folder.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/Halvrenn" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[General]\nAutosave Seconds=1\n' >"$XDG_CONFIG_HOME/Halvrenn/Ostrel-Vane Studio.conf"
RECOVERY="$XDG_DATA_HOME/Halvrenn/Ostrel-Vane Studio/recovery"

# Waits up to $1 seconds for a visible window whose name matches $2; prints its id.
window() {
    local deadline=$((SECONDS + $1)) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
focus() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null
    sleep 0.3
}
# Whether every edit is in a session file.
has_edits() {
    grep -q '"49.7"' "$1" && grep -q '"50.2"' "$1" && grep -q '"Weight"' "$1"
}

"$STUDIO" >"$WORK/first.log" 2>&1 &
FIRST=$!
PIDS+=($FIRST)
MAIN=$(window 30 '^Ostrel-Vane Studio - ') || fail "the main window did not appear"
sleep 2.5  # the splash window closes itself
focus "$MAIN"
xdotool type --delay 40 "Weight"
xdotool key --delay 40 Return
xdotool type --delay 40 "49.7"
xdotool key --delay 40 Return
xdotool type --delay 40 "50.2"

LEFT=""
for _ in $(seq 1 100); do
    for f in "$RECOVERY"/*.ovs; do
        [ -f "$f" ] && has_edits "$f" && LEFT=$f
    done
    [ -n "$LEFT" ] && break
    sleep 0.2
done
[ -n "$LEFT" ] || fail "no recovery file with the edits was written (files: $(ls "$RECOVERY" 2>&1))"
kill -9 "$FIRST"
wait "$FIRST" 2>/dev/null
echo "the first program was killed; it left $(basename "$LEFT")"

"$STUDIO" >"$WORK/second.log" 2>&1 &
SECOND=$!
PIDS+=($SECOND)
OFFER=$(window 30 '^Recover Session$') || fail "the restore question did not come up"
focus "$OFFER"
xdotool key Return  # Restore is the default button

RESTORED=""
for _ in $(seq 1 100); do
    for f in "$RECOVERY"/*.ovs; do
        [ -f "$f" ] && [ "$f" != "$LEFT" ] && has_edits "$f" && RESTORED=$f
    done
    [ -n "$RESTORED" ] && break
    sleep 0.2
done
[ -n "$RESTORED" ] || fail "the restored session does not hold every edit"
[ -e "$LEFT" ] && fail "the restored recovery file was not removed"
TITLE=$(xdotool getwindowname "$(window 10 '^Ostrel-Vane Studio - ')")
case "$TITLE" in
    *"[untitled]"*) ;;
    *) fail "the restored session is not untitled: $TITLE" ;;
esac
echo "restored every edit as an untitled session"
exit 0
