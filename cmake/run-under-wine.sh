#!/bin/sh
# run-under-wine.sh PREFIX PROGRAM.exe [ARGUMENT...]
# Runs a console program of the Windows build under wine in the wine prefix PREFIX, creating
# the prefix on first use. No display is needed.
set -eu
mkdir -p "$(dirname "$1")"
# wine wants an absolute path.
WINEPREFIX="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
export WINEPREFIX
shift
export WINEDEBUG=-all
# No Mono or Gecko installer (console programs need neither, and their prompts need a display),
# and no menu entries or file associations in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Programs may start side by side; one at a time creates the prefix or starts its server. The
# lock is not handed down: wine's background processes would hold it as long as they run.
# The server and wine's background processes are started here, detached from this program's
# output: started by the program itself, they would hold its output open for seconds after it
# ends. The server stays up for 30 s after its last program, so a test run starts it once.
flock --close "$WINEPREFIX.lock" sh -c '
    if [ ! -e "$WINEPREFIX/.zemra-ready" ]; then
        wineboot --init </dev/null >/dev/null 2>&1 && wineserver --wait &&
            touch "$WINEPREFIX/.zemra-ready"
    fi
    if wineserver -p30 </dev/null >/dev/null 2>&1; then
        wineboot </dev/null >/dev/null 2>&1
    fi'
exec wine "$@"
