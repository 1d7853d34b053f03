#!/bin/sh
# run-under-wine.sh PREFIX [PROGRAM.exe [ARGUMENT...]]
# Runs a program of the Windows build under wine in the wine prefix PREFIX, creating the prefix
# on first use; without a program it only makes the prefix ready. No display is needed.
set -eu
mkdir -p "$(dirname "$1")"
# wine wants an absolute path.
WINEPREFIX="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
export WINEPREFIX
shift
export WINEDEBUG=-all
# No Mono or Gecko installer (the programs need neither, and their prompts need a display),
# and no menu entries or file associations in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
ZEMRA_WINE_SETTINGS="$(cd "$(dirname "$0")" && pwd)/wine-prefix.reg"
# The symbols of window captions, and Debian's Ming and Hangul fonts.
ZEMRA_WINE_FONTS="/usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/arphic/uming.ttc
    /usr/share/fonts/truetype/nanum/NanumGothic.ttf"
export ZEMRA_WINE_SETTINGS ZEMRA_WINE_FONTS

# Programs may start side by side; one at a time creates the prefix or starts its server. The
# lock is not handed down: wine's background processes would hold it as long as they run.
# A prefix gets the settings of wine-prefix.reg (as UTF-16, which reg.exe reads) and the fonts
# in its own Fonts folder, again whenever either changes.
# The server and wine's background processes are started here, detached from the program's
# output: started by the program itself, they would hold its output open for seconds after it
# ends. The server stays up for 30 s after its last program, so a test run starts it once.
flock --close "$WINEPREFIX.lock" sh -c '
    if [ ! -e "$WINEPREFIX/.zemra-ready" ]; then
        wineboot --init </dev/null >/dev/null 2>&1 && wineserver --wait &&
            touch "$WINEPREFIX/.zemra-ready"
    fi
    stamp="$WINEPREFIX/.zemra-settings"
    { echo $ZEMRA_WINE_FONTS; cat "$ZEMRA_WINE_SETTINGS"; } >"$stamp.new"
    if ! cmp -s "$stamp.new" "$stamp"; then
        for font in $ZEMRA_WINE_FONTS; do
            if [ -e "$font" ]; then ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
        done
        iconv -f UTF-8 -t UTF-16 "$ZEMRA_WINE_SETTINGS" >"$stamp.reg"
        wine reg import "$(winepath -w "$stamp.reg")" </dev/null >/dev/null 2>&1 &&
            wineserver --wait && mv "$stamp.new" "$stamp"
    fi
    if wineserver -p30 </dev/null >/dev/null 2>&1; then
        wineboot </dev/null >/dev/null 2>&1
    fi'
if [ $# -gt 0 ]; then
    exec wine "$@"
fi
