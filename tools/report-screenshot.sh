#!/bin/sh
# tools/report-screenshot.sh ZEMRA_CONVERT OUT.png
# A picture of the page of --html for the example board converted for the KX740E, whose pin
# maps show all three sources: the page from its pin maps down, as headless Chromium draws it.
# For the README; needs chromium and imagemagick.
set -eu
convert=$(realpath "$1")
out=$(realpath -m "$2")
examples=$(cd "$(dirname "$0")/../examples" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/BOARD7.cmp" "$work"
(cd "$work" && "$convert" --kx740e --at 2002-03-06T15:01:33 --html BOARD7.html BOARD7.cmp) \
  > /dev/null 2>&1
# Where the pin maps begin, as the page lays itself out: a copy of it says so on the console.
probe="<script>addEventListener('load',function(){console.log('zemra-maps-at '+
Math.round(document.getElementById('b1-ics-heading').getBoundingClientRect().top))})</script>"
sed "s|</body>|$(printf '%s' "$probe" | tr -d '\n')</body>|" "$work/BOARD7.html" > "$work/probe.html"
top=$(chromium --headless --no-sandbox --disable-gpu --disable-dev-shm-usage \
  --disable-background-networking --disable-component-update --disable-sync --no-first-run \
  --user-data-dir="$work/profile" --hide-scrollbars --window-size=1280,3000 \
  --enable-logging=stderr --v=0 --screenshot="$work/page.png" "file://$work/probe.html" 2>&1 |
  sed -n 's/.*zemra-maps-at \([0-9]*\).*/\1/p' | head -n 1)
convert "$work/page.png" -crop "1280x900+0+$((top - 12))" +repage "$out"
