#!/usr/bin/env bash
# Runs a Windows program under the project's wine: its prefix, its Xvfb
# display and its persistent wineserver (see env.sh).
set -u
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
if [ -f "$STATE_FILE" ]; then
  # shellcheck disable=SC1090
  . "$STATE_FILE"
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display; run 'tools/wine/env.sh setup' first" >&2
  exit 2
fi
export DISPLAY
exec "$WINE_BIN" "$@"
