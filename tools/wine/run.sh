#!/usr/bin/env bash
# Runs a Windows program under the project's wine: its prefix, its Xvfb
# display and its persistent wineserver (see env.sh).
set -u
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
if [ -f "$STATE_FILE" ]; then
  DISPLAY_N='' XVFB_PID=''
  # shellcheck disable=SC1090
  . "$STATE_FILE"
  if [ -n "$XVFB_PID" ] && [ -n "$DISPLAY_N" ] &&
     { [ ! -S "/tmp/.X11-unix/X$DISPLAY_N" ] || [ ! -d "/proc/$XVFB_PID" ]; }; then
    echo "run.sh: the Xvfb of the last setup ($DISPLAY) is gone; run 'tools/wine/env.sh setup' again" >&2
    exit 2
  fi
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display; run 'tools/wine/env.sh setup' first" >&2
  exit 2
fi
export DISPLAY
exec "$WINE_BIN" "$@"
