#!/usr/bin/env bash
# Pages of recorded flights in headless Chromium: written by kalveo-replay --debrief from a
# recording, opened and checked by check_page.mjs against the recording.
#   pages_test.sh <program folder of the build> <source data folder>
set -euo pipefail
bin="$1"
data="$2"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in chromium node; do
  command -v "$tool" >/dev/null || { echo "pages_test: $tool is missing (scripts/bootstrap installs it)"; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf -- "$work"' EXIT
check() { node "$here/check_page.mjs" "$@"; }
page_of() { "$bin/kalveo-replay" --quiet --debrief "$@" | tail -n 1; }
flaps=(--flaps Diana2 "$data/Settings/Kalveo_data.txt")

echo "== the demo's tour (Diana2, flaps, a thermal, a dive through the four alarm levels)"
"$bin/kalveo-replay" --scenario tour --vne 270 --write "$work/tour.rec"
page="$(page_of "$work/tour.rec" --glider Diana2 --vne 270 --out "$work/tour")"
check "$page" "$work/tour.rec" "${flaps[@]}" --charts 3

echo "== a flight in polar mode, the glider and its polar from the simulator's files"
"$bin/kalveo-sample-install" "$work/sample" --in-flight --glider Diana2 >/dev/null
"$bin/kalveo-replay" --scenario cruise --write "$work/cruise.rec"
page="$(WINEPREFIX="$work/sample" KALVEO_DIALOGS=script:/dev/null \
        page_of "$work/cruise.rec" --polar --lang FR --out "$work/polar")"
# The simulator's plane data gives the glider's mass, which moves the flap speeds: the advice
# share is checked on the other two flights, whose mass is the glider data's.
check "$page" "$work/cruise.rec" --charts 4
grep -q 'Vitesse vraie maximale' "$page" || { echo "pages_test: the page is not in French"; exit 1; }
points="$(grep -o 'id="polar-points" data-value="[0-9]*"' "$page" | grep -o '[0-9]*"$' | tr -d '"')"
[ "${points:-0}" -ge 3 ] || { echo "pages_test: ${points:-no} polar points on the page"; exit 1; }

echo "== killed while keeping a flight: what it leaves reads back to within a minute of the kill"
"$bin/kalveo-replay" --scenario tour --vne 270 --glide 560 --write "$work/twenty.rec"
"$bin/kalveo-replay" --quiet --debrief "$work/twenty.rec" --glider Diana2 --vne 270 --speed 10 \
  --out "$work/killed" >/dev/null &
keeper=$!
# The flight file appears with the flight's first datagram: the flight's clock starts there.
for _ in $(seq 400); do
  compgen -G "$work/killed/*.kflight" >/dev/null && break
  sleep 0.05
done
started=$(date +%s.%N)
sleep 10
kill -KILL "$keeper"
wait "$keeper" 2>/dev/null || true
# The flight had got about 10 times the time since its start (the file is seen up to 50 ms, or
# 0.5 s of flight, late).
reached="$(awk -v s="$started" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", 10 * (e - s) }')"
page="$("$bin/kalveo-replay" --page "$work"/killed/*.kflight | tail -n 1)"
kept="$(grep -o 'id="duration" data-value="[0-9.]*"' "$page" | grep -o '[0-9.]*"$' | tr -d '"')"
echo "killed about $reached s into the flight; the page shows $kept s"
awk -v k="$kept" -v r="$reached" 'BEGIN { exit !(k >= r - 60 && k <= r + 5) }' ||
  { echo "pages_test: $kept s kept of a flight killed about $reached s in"; exit 1; }
check "$page" "$work/twenty.rec" --charts 3 --no-summary

echo "== two hours at 50 datagrams a second, replayed at speed"
"$bin/kalveo-replay" --scenario tour --vne 270 --rate 50 --glide 3500 --circles 12 \
  --write "$work/long.rec"
started=$(date +%s.%N)
page="$(page_of "$work/long.rec" --glider Diana2 --vne 270 --out "$work/long")"
echo "replayed in $(awk -v s="$started" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }') s"
flight="${page%.html}.kflight"
size=$(stat -c %s "$flight")
echo "flight file: $size bytes; page: $(stat -c %s "$page") bytes"
[ "$size" -lt $((2 * 1024 * 1024)) ] || { echo "pages_test: the flight file is over 2 MB"; exit 1; }
duration="$(grep -o 'id="duration" data-value="[0-9.]*"' "$page" | grep -o '[0-9.]*"$' | tr -d '"')"
awk -v d="$duration" 'BEGIN { exit !(d >= 7200) }' || { echo "pages_test: only $duration s flown"; exit 1; }
check "$page" "$work/long.rec" "${flaps[@]}" --charts 3 --open-within 2
