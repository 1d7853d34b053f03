#!/bin/sh
# tools/windows-screenshot.sh BUILD OUT.png [ARGUMENT...]
# A picture of zemra.exe of the Windows build in BUILD (its arguments given to it), as wine
# draws it on a virtual screen (Xvfb) with the fonts of the build's wine prefix, cut to the
# dialog's windows. For the README; needs xvfb and imagemagick.
set -eu
build=$(realpath "$1")
out=$(realpath "$2")
shift 2
program="Z:$(printf '%s' "$build/app/win32/zemra.exe" | tr / '\\')"
tools=$(cd "$(dirname "$0")" && pwd)
# Wine's own desktop window draws the window frames, as Windows does; the screen has no other
# window manager.
xvfb-run -a -s '-screen 0 640x400x24' sh -c '
    tools=$0 build=$1 out=$2
    shift 2
    "$tools/../cmake/run-under-wine.sh" "$build/wine-prefix" explorer /desktop=zemra,640x400 "$@" &
    sleep 8
    import -window root "$out"
    WINEPREFIX="$build/wine-prefix" wineserver -k' "$tools" "$build" "$out" "$program" "$@"
convert "$out" -trim +repage "$out"
