#!/usr/bin/env bash
# Starts a program of the project under a virtual X display, waits, saves a
# picture of the screen (every window of the program) to a PNG file and says
# where it is.
#
#   scripts/screenshot.sh [-o out.png] [-w seconds] [-s WxH] [-k KEY]... PROGRAM [ARGS...]
#
# Each -k KEY (an xdotool key name such as Return) is typed after the wait,
# one second apart, to get past a dialog before the picture is taken.
# PROGRAM is a path, or the name of a program in the build's program folder
# ($ORVANTA_BIN_DIR, else build/bin or a build-*/bin of this checkout, else
# build-*/tests for developer programs). The picture goes to -o, else to
# $TMPDIR/orvanta-screenshots/PROGRAM-TIME.png (TMPDIR defaults to /tmp).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out=""
wait_seconds="${SCREENSHOT_WAIT:-3}"
size="1280x1024"
keys=()

usage() { sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit "${1:-0}"; }

while getopts "o:w:s:k:h" opt; do
  case "$opt" in
    o) out="$OPTARG" ;;
    w) wait_seconds="$OPTARG" ;;
    s) size="$OPTARG" ;;
    k) keys+=("$OPTARG") ;;
    h) usage 0 ;;
    *) usage 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || usage 2
program="$1"
shift

resolve() {
  local name="$1" dir
  if [ -x "$name" ] && [ ! -d "$name" ]; then echo "$(cd "$(dirname "$name")" && pwd)/$(basename "$name")"; return 0; fi
  for dir in "${ORVANTA_BIN_DIR:-}" "$here/build/bin" "$here"/build-*/bin "$here"/build-*/tests "$here/build/tests"; do
    [ -n "$dir" ] || continue
    if [ -x "$dir/$name" ] && [ ! -d "$dir/$name" ]; then echo "$dir/$name"; return 0; fi
  done
  return 1
}

exe="$(resolve "$program")" || { echo "screenshot: no program named '$program' was found" >&2; exit 1; }
for tool in Xvfb import; do
  command -v "$tool" >/dev/null || { echo "screenshot: '$tool' is not installed (xvfb, imagemagick)" >&2; exit 1; }
done

if [ -z "$out" ]; then
  mkdir -p "${TMPDIR:-/tmp}/orvanta-screenshots"
  out="${TMPDIR:-/tmp}/orvanta-screenshots/$(basename "$exe")-$(date +%Y%m%d-%H%M%S).png"
fi
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

# A free display number.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done

xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$app_pid" ] && wait "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "screenshot: the virtual display did not start" >&2; exit 1; }

(
  cd "$(dirname "$exe")"
  exec env DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$exe" "$@"
) >"${out%.png}.log" 2>&1 &
app_pid=$!

sleep "$wait_seconds"
if [ ${#keys[@]} -gt 0 ]; then
  command -v xdotool >/dev/null || { echo "screenshot: 'xdotool' is not installed" >&2; exit 1; }
  for key in "${keys[@]}"; do
    DISPLAY=":$display" xdotool key "$key" || true
    sleep 1
  done
  sleep 1
fi
if ! kill -0 "$app_pid" 2>/dev/null; then
  echo "screenshot: $(basename "$exe") ended before the picture was taken; its output is in ${out%.png}.log" >&2
fi
DISPLAY=":$display" import -window root "$out"
echo "screenshot: $out"
