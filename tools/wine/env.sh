#!/usr/bin/env bash
# The wine environment of tests, benchmarks and runs.
#   env.sh prefix     make the prefix once (fonts mapped and checked)
#   env.sh setup      the prefix, then one Xvfb and one persistent wineserver
#   env.sh teardown   stop the wineserver and the Xvfb of setup
# setup uses the display named by VANTREL_DISPLAY instead of starting an Xvfb
# when that is set. Everything is found through VANTREL_WINE_HOME (common.sh),
# so several homes can be set up side by side. VANTREL_WINE_FONTS=plain
# makes a prefix without our font mapping and without wine's own fonts, whose
# font names all resolve to DejaVu Sans, as on a plain wine installation
# without Liberation (the lab's --plain-fonts). VANTREL_WINESERVER_DEBUG=FILE
# makes setup's wineserver write every request of every program to FILE (its
# debug level 2): how many calls to the wineserver a piece of work makes.
set -eu
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

FONT_FAMILIES=("Segoe UI" "Tahoma" "Arial" "MS Sans Serif")

# The pid written in the lock file of display N, or nothing.
lock_pid() {
  local pid=
  [ -r "/tmp/.X$1-lock" ] && read -r pid <"/tmp/.X$1-lock" 2>/dev/null
  echo "${pid//[^0-9]/}"
}

# True when display N is taken by a living server. A lock file whose server
# is gone does not count: Xvfb replaces such a lock and socket itself.
display_taken() {
  local pid
  [ -e "/tmp/.X$1-lock" ] || return 1
  pid=$(lock_pid "$1")
  [ -n "$pid" ] || return 0  # being written right now
  kill -0 "$pid" 2>/dev/null || [ -d "/proc/$pid" ]
}

# Starts an Xvfb on the first free display from :90 on; prints "N PID".
start_xvfb() {
  local n pid
  for n in $(seq 90 190); do
    display_taken "$n" && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
      kill -0 "$pid" 2>/dev/null || break
      # Ours only when the lock names our server (another run may have taken
      # the same number a moment earlier).
      if [ -S "/tmp/.X11-unix/X$n" ] && [ "$(lock_pid "$n")" = "$pid" ]; then
        echo "$n $pid"
        return 0
      fi
      sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  echo "env.sh: could not start Xvfb" >&2
  return 1
}

# Stops the Xvfb with PID on display N, if that pid still is that server (a
# pid from a stale state file may belong to another process by now).
stop_xvfb() {
  local n=$1 pid=$2
  [ -n "$pid" ] && [ -n "$n" ] || return 0
  [ "$(lock_pid "$n")" = "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  kill -KILL "$pid" 2>/dev/null || true
}

stop_wineserver() {
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w >/dev/null 2>&1 || true
}

# Wine's own fonts in the prefix, and the fonts that the controls ask for by
# name mapped onto installed ones.
map_fonts() {
  # Wine's own fonts (Tahoma, Symbol, Marlett...) from fonts-wine, which this
  # wine build does not look for in its data folder.
  local f key
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -e "$f" ] && cp -f "$f" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  # Fonts that the controls ask for by name, mapped onto installed ones.
  key='HKCU\Software\Wine\Fonts\Replacements'
  "$WINE_BIN" reg add "$key" /v "Arial" /d "Liberation Sans" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "Segoe UI" /d "Liberation Sans" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
  "$WINE_BIN" reg add "$key" /v "MS Sans Serif" /d "Liberation Sans" /f >/dev/null 2>&1
}

# A machine with none of the fonts the controls ask for, and not Liberation
# either: every name falls back to DejaVu Sans, whose shaping tables take
# other paths through wine's text layout.
plain_fonts() {
  local key='HKCU\Software\Wine\Fonts\Replacements' f
  for f in "Segoe UI" "Tahoma" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Arial" "Courier New" "Times New Roman"; do
    "$WINE_BIN" reg add "$key" /v "$f" /d "DejaVu Sans" /f >/dev/null 2>&1
  done
}

make_prefix() {
  # The marker holds the prefix layout's version: an older prefix is made anew.
  local version="$PREFIX_VERSION${VANTREL_WINE_FONTS:+-$VANTREL_WINE_FONTS-2}"
  if [ "$(cat "$WINEPREFIX/.vantrel-ready" 2>/dev/null)" = "$version" ]; then return 0; fi
  local check="$VANTREL_BUILD_DIR/tools/fontcheck.exe"
  if [ "${VANTREL_WINE_FONTS:-}" != plain ] && [ ! -f "$check" ]; then
    echo "env.sh: $check is missing; build first" >&2
    return 1
  fi
  echo "env.sh: making the wine prefix $WINEPREFIX" >&2
  # A wineserver left by an earlier attempt on this prefix goes first.
  stop_wineserver
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  local xinfo
  xinfo=$(start_xvfb)
  MAKE_XVFB="$xinfo"
  # Whatever happens below, the servers started here end with this step.
  trap 'stop_wineserver; stop_xvfb ${MAKE_XVFB% *} ${MAKE_XVFB#* }' EXIT
  export DISPLAY=":${xinfo% *}"
  "$WINE_BIN" wineboot -i </dev/null >/dev/null 2>&1 || true
  # Wine links the user's folders (Documents, Desktop...) to the home
  # folder: the prefix gets folders of its own, so that nothing a program
  # under test writes there lands in the home folder.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm -f "$link"
      mkdir -p "$link"
    fi
  done
  if [ "${VANTREL_WINE_FONTS:-}" != plain ]; then
    map_fonts
  else
    plain_fonts
  fi
  # No window manager runs on our displays: without one, wine waits two
  # seconds for a manager to take every hidden window down. Unmanaged
  # windows are drawn and moved by wine itself.
  "$WINE_BIN" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A program that crashes ends with a backtrace on the console; no crash
  # dialog waits for a click that never comes.
  "$WINE_BIN" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  stop_wineserver
  if [ "${VANTREL_WINE_FONTS:-}" != plain ] && ! "$WINE_BIN" "$check" "${FONT_FAMILIES[@]}"; then
    echo "env.sh: GDI+ cannot find the fonts the controls need; is fonts-wine and fonts-liberation installed?" >&2
    return 1
  fi
  stop_wineserver
  stop_xvfb "${xinfo% *}" "${xinfo#* }"
  trap - EXIT
  echo "$version" > "$WINEPREFIX/.vantrel-ready"
}

teardown() {
  # The wineserver of this prefix, whether or not a state file tells of it
  # (a crashed run leaves a persistent server behind).
  stop_wineserver
  if [ -f "$STATE_FILE" ]; then
    local DISPLAY='' DISPLAY_N='' XVFB_PID=''
    # shellcheck disable=SC1090
    . "$STATE_FILE"
    # State files of older harness versions name the display only.
    if [ -z "$DISPLAY_N" ] && [ -n "$XVFB_PID" ]; then
      DISPLAY_N=${DISPLAY#:}
      DISPLAY_N=${DISPLAY_N%%.*}
    fi
    stop_xvfb "$DISPLAY_N" "$XVFB_PID"
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
    mkdir -p "$VANTREL_WINE_HOME"
    if [ -n "${VANTREL_DISPLAY:-}" ]; then
      export DISPLAY="$VANTREL_DISPLAY"
      xn='' xpid=''
    else
      xinfo=$(start_xvfb)
      xn=${xinfo% *} xpid=${xinfo#* }
      export DISPLAY=":$xn"
    fi
    # One wineserver for the whole run, kept alive between programs.
    # Started detached from our output, so that callers waiting for it to
    # close (ctest) do not wait for the servers.
    if ! "$WINESERVER_BIN" -p ${VANTREL_WINESERVER_DEBUG:+-d2} </dev/null >/dev/null 2>"${VANTREL_WINESERVER_DEBUG:-/dev/null}"; then
      echo "env.sh: the wineserver did not start" >&2
      stop_xvfb "$xn" "$xpid"
      exit 1
    fi
    "$WINE_BIN" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
    # Written last and whole: a state file tells of a complete setup.
    printf 'DISPLAY=%s\nDISPLAY_N=%s\nXVFB_PID=%s\n' "$DISPLAY" "$xn" "$xpid" >"$STATE_FILE.tmp"
    mv -f "$STATE_FILE.tmp" "$STATE_FILE"
    ;;
  teardown)
    teardown
    ;;
  *)
    echo "usage: env.sh prefix|setup|teardown" >&2
    exit 2
    ;;
esac
