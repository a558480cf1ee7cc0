#!/usr/bin/env bash
# Windows programs in a lab network of their own (see netns.sh). Wine makes
# a program's sockets in the wineserver, so the lab's whole wine instance
# (prefix <build>/lab/prefix, display, wineserver) starts inside the desktop
# namespace, apart from the wine instance of the tests.
#
# As a command (a test can name it as its COMMAND):
#   lab.sh run [--phone CMD] [--plain-fonts] -- PROGRAM.exe [ARGS...]
#     brings a lab up, starts CMD (a shell command) in the phone namespace if
#     given, runs PROGRAM under the lab's wine in the desktop namespace, takes
#     everything down again and exits with PROGRAM's exit code.
#     --plain-fonts uses a prefix without the font mapping and without wine's
#     own fonts (<build>/lab-plain), as a plain wine installation has: the
#     controls' fonts resolve to whatever the system offers.
#
# As a library (sourced, as vantrel.sh does):
#   lab_plain_fonts  (before lab_up) the lab's wine uses a prefix without the
#                    font mapping (see run --plain-fonts)
#   lab_up           make the lab LAB_ID (default: this shell's pid) and start
#                    its wine; VANTREL_DISPLAY names a display to use instead
#                    of an Xvfb of its own
#   lab_desk CMD...  a command in the desktop namespace, with the lab's wine
#                    settings (VANTREL_WINE_HOME=<build>/lab)
#   lab_wine PROGRAM.exe [ARGS...]  a Windows program under the lab's wine
#   lab_start PROGRAM.exe [ARGS...] the same in the background, started from
#                    the program's folder; its pid in LAB_START_PID
#   lab_phone CMD    starts the shell command CMD in the background in the
#                    phone namespace: the place of the phone simulator. It
#                    sees VANTREL_LAB_DESK_IP, VANTREL_LAB_PHONE_IP and
#                    VANTREL_LAB_ID, and is ended by lab_down. It gets no
#                    head start: the desktop side retries or waits for it.
#   lab_phone_also CMD  one more background command on the phone side
#                    (a server beside the simulator), ended by lab_down
#   lab_down         stops the wine instance and everything in the lab and
#                    removes the namespaces; safe to call more than once
#   lab_winpath PATH the Windows form (Z:\...) of an absolute Unix path
# One lab at a time uses a build folder's lab prefix: lab_up waits up to
# VANTREL_LAB_WAIT seconds (default 60) for an earlier one to finish.

LAB_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
LAB_ROOT=$(cd "$LAB_TOOLS/../.." && pwd)
: "${VANTREL_BUILD_DIR:=$LAB_ROOT/build}"
export VANTREL_BUILD_DIR
LAB_HOME="$VANTREL_BUILD_DIR/lab"
LAB_FONTS=
LAB_DESK_IP=10.77.0.2
LAB_PHONE_IP=10.77.0.1
LAB_ID=${LAB_ID:-}
LAB_NET_UP=
LAB_WINE_UP=
LAB_PHONE_PID=
LAB_PHONE_ALSO=()
LAB_START_PID=
LAB_LOCK_FD=

lab_winpath() {
  local p=$1
  printf 'Z:%s' "${p//\//\\}"
}

# Runs a command without the lab's lock (nothing started in the lab keeps it).
lab_unlocked() {
  if [ -n "$LAB_LOCK_FD" ]; then "$@" {LAB_LOCK_FD}>&-; else "$@"; fi
}

# A command in namespace SIDE (desk or phone) of the lab, with the lab's
# wine settings; the lab's lock is not handed down.
lab_exec() {
  local side=$1
  shift
  lab_unlocked "$LAB_TOOLS/netns.sh" exec "$LAB_ID" "$side" \
    env -u WINEPREFIX_OVERRIDE \
    VANTREL_BUILD_DIR="$VANTREL_BUILD_DIR" VANTREL_WINE_HOME="$LAB_HOME" VANTREL_WINE_FONTS="$LAB_FONTS" \
    VANTREL_LAB_ID="$LAB_ID" VANTREL_LAB_DESK_IP="$LAB_DESK_IP" VANTREL_LAB_PHONE_IP="$LAB_PHONE_IP" \
    "$@"
}

lab_desk() { lab_exec desk "$@"; }

lab_wine() { lab_desk "$LAB_ROOT/tools/wine/run.sh" "$@"; }

# Background jobs drop the lab's lock first: a run killed outright leaves
# nothing behind that keeps the next one waiting (the next setup stops the
# wine instance that such a run left).
lab_drop_lock() {
  if [ -n "$LAB_LOCK_FD" ]; then exec {LAB_LOCK_FD}>&-; fi
  LAB_LOCK_FD=
}

lab_start() {
  local folder
  folder=$(dirname "$1")
  (lab_drop_lock && cd "$folder" && lab_wine "$@") &
  LAB_START_PID=$!
}

lab_phone() {
  (lab_drop_lock && lab_exec phone bash -c "$1") </dev/null &
  LAB_PHONE_PID=$!
}

lab_phone_also() {
  (lab_drop_lock && lab_exec phone bash -c "$1") </dev/null &
  LAB_PHONE_ALSO+=($!)
}

lab_plain_fonts() {
  LAB_HOME="$VANTREL_BUILD_DIR/lab-plain"
  LAB_FONTS=plain
}

lab_up() {
  LAB_ID=${LAB_ID:-$$}
  mkdir -p "$LAB_HOME"
  exec {LAB_LOCK_FD}>"$LAB_HOME/lock"
  if ! flock -w "${VANTREL_LAB_WAIT:-60}" "$LAB_LOCK_FD"; then
    echo "lab: $LAB_HOME is in use by another lab run" >&2
    lab_drop_lock
    return 1
  fi
  lab_unlocked "$LAB_TOOLS/netns.sh" up "$LAB_ID" || return 1
  LAB_NET_UP=1
  echo "lab: namespaces vantrel-desk-$LAB_ID ($LAB_DESK_IP) and vantrel-phone-$LAB_ID ($LAB_PHONE_IP)" >&2
  # The prefix, the display and the persistent wineserver, all started from
  # inside the desktop namespace.
  LAB_WINE_UP=1
  lab_desk env VANTREL_DISPLAY="${VANTREL_DISPLAY:-}" "$LAB_ROOT/tools/wine/env.sh" setup || return 1
}

lab_down() {
  local rc=$?
  if [ -n "$LAB_WINE_UP" ]; then
    # The wineserver is reached through its socket in the file system.
    VANTREL_WINE_HOME="$LAB_HOME" VANTREL_WINE_FONTS="$LAB_FONTS" lab_unlocked "$LAB_ROOT/tools/wine/env.sh" teardown || true
    LAB_WINE_UP=
  fi
  if [ -n "$LAB_PHONE_PID" ]; then
    kill "$LAB_PHONE_PID" 2>/dev/null || true
    wait "$LAB_PHONE_PID" 2>/dev/null || true
    LAB_PHONE_PID=
  fi
  local pid
  for pid in "${LAB_PHONE_ALSO[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  LAB_PHONE_ALSO=()
  if [ -n "$LAB_NET_UP" ]; then
    lab_unlocked "$LAB_TOOLS/netns.sh" down "$LAB_ID" || true
    LAB_NET_UP=
    # Labs of runs that were killed outright, now that their wine is gone.
    lab_unlocked "$LAB_TOOLS/netns.sh" prune || true
  fi
  lab_drop_lock
  return $rc
}

lab_main() {
  set -eu
  case "${1:-}" in
    run)
      shift
      local phone=
      while [ $# -gt 0 ]; do
        case "$1" in
          --phone) phone=${2:?--phone needs a command}; shift 2 ;;
          --plain-fonts) lab_plain_fonts; shift ;;
          --) shift; break ;;
          *) break ;;
        esac
      done
      if [ $# -eq 0 ]; then
        echo "usage: lab.sh run [--phone CMD] [--plain-fonts] -- PROGRAM.exe [ARGS...]" >&2
        exit 2
      fi
      trap lab_down EXIT
      trap 'exit 130' INT
      trap 'exit 143' TERM
      unset VANTREL_DISPLAY
      lab_up
      [ -z "$phone" ] || lab_phone "$phone"
      local rc=0
      lab_wine "$@" || rc=$?
      exit $rc
      ;;
    *)
      echo "usage: lab.sh run [--phone CMD] [--plain-fonts] -- PROGRAM.exe [ARGS...]" >&2
      exit 2
      ;;
  esac
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  lab_main "$@"
fi
