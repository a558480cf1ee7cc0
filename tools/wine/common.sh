# Shared settings of the wine harness; sourced by the scripts beside it.
# VANTREL_WINE_HOME: the folder that holds the prefix and the run state
# (default: <build>/wine, the build folder taken from VANTREL_BUILD_DIR).

: "${VANTREL_BUILD_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build}"
: "${VANTREL_WINE_HOME:=$VANTREL_BUILD_DIR/wine}"
export VANTREL_BUILD_DIR VANTREL_WINE_HOME

if [ -x /usr/lib/wine/wine64 ]; then
  WINE_BIN=/usr/lib/wine/wine64
  WINESERVER_BIN=/usr/lib/wine/wineserver
else
  WINE_BIN=$(command -v wine64 || command -v wine)
  WINESERVER_BIN=$(command -v wineserver)
fi

export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$VANTREL_WINE_HOME/prefix}"
export WINEARCH=win64
export WINEDEBUG="${VANTREL_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# WinINet would send the programs' requests to a proxy named in the
# environment: tests and runs talk to their own servers only.
unset http_proxy https_proxy ftp_proxy all_proxy HTTP_PROXY HTTPS_PROXY FTP_PROXY ALL_PROXY
STATE_FILE="$VANTREL_WINE_HOME/state.env"
# The version of the prefix layout made by env.sh; raise it when that changes.
PREFIX_VERSION=4
