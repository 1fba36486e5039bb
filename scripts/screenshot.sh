#!/usr/bin/env bash
# Makes docs/screenshot.png: the real zan binary under Xvfb on a fresh sandbox that already
# holds the typical request's settings (checkout of \proj\src\main.c for bob and group dev).
# It then drives the window as a person would: Load Views, the first view (bob_dev), the m:
# drive, and through the tree by keyboard to src\main.c, so the picture shows the file
# selected with its operations, users and groups. The three clicks use the positions of the
# 1280x800 window; the tree is walked with the arrow keys. Re-run it when the window changes.
# Usage: scripts/screenshot.sh [build/dev/bin]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(cd "${1:-$root/build/dev/bin}" && pwd)"
out="$root/docs/screenshot.png"

need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xdotool >/dev/null || need+=(xdotool)
command -v xwd >/dev/null || need+=(x11-apps)
[ -x /usr/bin/convert ] || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  apt-get update -q && apt-get install -y -q "${need[@]}"
fi

work="$(mktemp -d)"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

export ZAN_SANDBOX="$work/sandbox" ZAN_SETTINGS="$work/settings" ZAN_CLEARCASE=sandbox
export CLEARCASE_USER=vobadm
ct="$bin/cleartool-sim"
main='m:\bob_dev\proj\src\main.c'
# The settings the window will list for the file: checkout for bob and group dev.
"$ct" lsvob -s >/dev/null
"$ct" mkattype -vtype string -nc '__checkout@\proj' >/dev/null
"$ct" mkattype -vtype string -nc 'QX_GROUPS@\proj' >/dev/null
"$ct" mkattr -nc __checkout '"bob,carol,dave"' "$main@@/main/0" >/dev/null
"$ct" mkattr -nc QX_GROUPS '"dev"' "$main@@/main/0" >/dev/null

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.2; done

"$bin/zan" &
pids+=($!)
window=""
for _ in $(seq 100); do
  window="$(xdotool search --name 'Zan Utility' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "zan did not open its window" >&2; exit 1; }
xdotool windowsize "$window" 1280 800 windowmove "$window" 0 0
sleep 2

click() { xdotool mousemove "$1" "$2" click 1; sleep 1; }
keys() { for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.5; done; }
click 48 71     # Load Views
click 60 100    # the first view: bob_dev
click 30 282    # the m: drive
# m: > bob_dev > proj (the VOB root) > src > main.c
keys Right Down Right Down Right Down Down Down Down Right Down Down
sleep 1

mkdir -p "$(dirname "$out")"
xwd -root -silent -display "$display" > "$work/shot.xwd"
/usr/bin/convert "$work/shot.xwd" "$out"
echo "wrote $out"
