#!/usr/bin/env bash
# The wine environment of tests, benchmarks and runs.
#   env.sh prefix     make the prefix once (fonts mapped and checked)
#   env.sh setup      the prefix, then one Xvfb and one persistent wineserver
#   env.sh teardown   stop the wineserver and the Xvfb of setup
set -eu
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

FONT_FAMILIES=("Segoe UI" "Tahoma" "Arial" "MS Sans Serif")

start_xvfb() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
      local pid=$!
      local i
      for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
      done
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        echo "$n $pid"
        return 0
      fi
    fi
  done
  echo "env.sh: could not start Xvfb" >&2
  return 1
}

make_prefix() {
  if [ -f "$WINEPREFIX/.vantrel-ready" ]; then return 0; fi
  echo "env.sh: making the wine prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  local xinfo xpid
  xinfo=$(start_xvfb)
  xpid=${xinfo#* }
  export DISPLAY=":${xinfo% *}"
  "$WINE_BIN" wineboot -i </dev/null >/dev/null 2>&1 || true
  # Wine's own fonts (Tahoma, Symbol, Marlett...) from fonts-wine, which this
  # wine build does not look for in its data folder.
  local f
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -e "$f" ] && cp -f "$f" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  # Fonts that the controls ask for by name, mapped onto installed ones.
  local key='HKCU\Software\Wine\Fonts\Replacements'
  "$WINE_BIN" reg add "$key" /v "Arial" /d "Liberation Sans" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "Segoe UI" /d "Liberation Sans" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "MS Sans Serif" /d "Liberation Sans" /f >/dev/null 2>&1
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w >/dev/null 2>&1 || true
  local check="$VANTREL_BUILD_DIR/tools/fontcheck.exe"
  if [ ! -f "$check" ]; then
    echo "env.sh: $check is missing; build first" >&2
    kill "$xpid" 2>/dev/null || true
    return 1
  fi
  if ! "$WINE_BIN" "$check" "${FONT_FAMILIES[@]}"; then
    echo "env.sh: GDI+ cannot find the fonts the controls need; is fonts-wine and fonts-liberation installed?" >&2
    "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
    kill "$xpid" 2>/dev/null || true
    return 1
  fi
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w >/dev/null 2>&1 || true
  kill "$xpid" 2>/dev/null || true
  touch "$WINEPREFIX/.vantrel-ready"
}

teardown() {
  if [ -f "$STATE_FILE" ]; then
    # shellcheck disable=SC1090
    . "$STATE_FILE"
    "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
    "$WINESERVER_BIN" -w >/dev/null 2>&1 || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -f "$STATE_FILE"
  fi
}

case "${1:-}" in
  prefix)
    make_prefix
    ;;
  setup)
    teardown
    make_prefix
    xinfo=$(start_xvfb)
    export DISPLAY=":${xinfo% *}"
    # One wineserver for the whole run, kept alive between programs.
    # Started detached from our output, so that callers waiting for it to
    # close (ctest) do not wait for the servers.
    "$WINESERVER_BIN" -p </dev/null >/dev/null 2>&1
    "$WINE_BIN" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
    printf 'DISPLAY=%s\nXVFB_PID=%s\n' "$DISPLAY" "${xinfo#* }" > "$STATE_FILE"
    ;;
  teardown)
    teardown
    ;;
  *)
    echo "usage: env.sh prefix|setup|teardown" >&2
    exit 2
    ;;
esac
