#!/usr/bin/env bash
# Builds, tests, runs and measures Vantrel on Debian 12.
#   ./vantrel.sh deps    install the missing packages (and only those)
#   ./vantrel.sh build   deps, then configure and build (folder build/)
#   ./vantrel.sh test    build, then every test through ctest, one at a time
#   ./vantrel.sh run     build, then Vantrel.exe under wine in the lab network,
#                        with an update server on the phone side that offers
#                        a newer version; a screenshot goes to
#                        build/run/screen.png
#   ./vantrel.sh bench   build, then the benchmarks in the lab network
#   ./vantrel.sh fuzz [SECONDS]
#                        build, then every fuzz target for a share of SECONDS
#                        (default 600 in all) from a new seed, with a
#                        progress line; failures are kept in build/fuzz-failures
# Settings from the environment:
#   VANTREL_BUILD_DIR    build folder (default: build/ beside this script)
#   VANTREL_RUN_SECONDS  run: stop Vantrel.exe after this many seconds
#   VANTREL_PHONE_CMD    run, bench: a shell command started in the phone
#                        namespace of the lab; unset: the phone simulator
#                        (tools/phone/phone_sim.py), which prints every
#                        datagram both ways; empty: nothing
#   VANTREL_BENCH_RUNS   bench: measured starts of each program (default 10)
#   VANTREL_FUZZ_SEED    fuzz: the seed (default: from the clock; printed)
#   VANTREL_FUZZ_ONLY    fuzz: only the targets whose test name matches this
#                        extended regular expression
#   DISPLAY              run: shows Vantrel on this display (a local one,
#                        ":N"); without it run starts an Xvfb of its own
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$ROOT"
BUILD_DIR=${VANTREL_BUILD_DIR:-$ROOT/build}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac
export VANTREL_BUILD_DIR="$BUILD_DIR"

PACKAGES=(
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine64 xvfb
  fonts-wine fonts-liberation python3 iproute2 cmake ninja-build
  python3-pyftpdlib openssl
)

# The phone side of the link in the lab (bounded to an hour).
PHONE_SIM="exec python3 $ROOT/tools/phone/phone_sim.py --seconds 3600"

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

say() { echo "vantrel.sh: $*" >&2; }

cmd_deps() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  say "installing ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

cmd_build() {
  cmd_deps
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja
  fi
  cmake --build "$BUILD_DIR"
}

cmd_test() {
  cmd_build
  # Serially: the tests share one wine prefix and one wineserver.
  local rc=0
  ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel 1 || rc=$?
  return $rc
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Waits until process PID ends or the clock reaches DEADLINE_MS; true when
# it ended.
wait_for_end() {
  local pid=$1 deadline=$2
  while [ "$(now_ms)" -lt "$deadline" ]; do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null
}

cmd_run() {
  cmd_build
  local seconds=${VANTREL_RUN_SECONDS:-}
  if [ -n "$seconds" ] && ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    say "VANTREL_RUN_SECONDS must be a whole number of seconds"
    return 2
  fi
  # The user's display when it is a local one (the lab cannot reach a
  # display over the network), else an Xvfb of the lab's own.
  unset VANTREL_DISPLAY
  if [ -n "${DISPLAY:-}" ]; then
    if [[ "$DISPLAY" =~ ^(unix)?:[0-9]+(\.[0-9]+)?$ ]]; then
      export VANTREL_DISPLAY="$DISPLAY"
    else
      say "DISPLAY=$DISPLAY is not a local display; using an Xvfb of the lab's own"
    fi
  fi
  . "$ROOT/tools/lab/lab.sh"
  trap lab_down EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # The desk side looks names up on the phone side, where the update server
  # answers for the update host.
  export LAB_DESK_NAMESERVER=phone
  lab_up
  unset LAB_DESK_NAMESERVER
  local app="$BUILD_DIR/app/Vantrel.exe"
  lab_phone_also "exec /usr/bin/python3 $ROOT/tools/update/lab_update_server.py --exe $app --address $LAB_PHONE_IP --seconds 3600"
  local phone=${VANTREL_PHONE_CMD-$PHONE_SIM --demo-pass 4711}
  if [ -n "$phone" ]; then
    lab_phone "$phone"
    [ -n "${VANTREL_PHONE_CMD+x}" ] || say "phone simulator: more commands with" \
      "ip netns exec vantrel-phone-$LAB_ID python3 tools/phone/phone_sim.py --send 'pass 1234' (or 'sms +48600~Hi', 'log')"
  fi

  local out="$BUILD_DIR/run"
  mkdir -p "$out"
  rm -f "$out/screen.png"
  say "starting $app"
  local started shot_at end_at=
  started=$(now_ms)
  shot_at=$((started + 3000))
  if [ -n "$seconds" ]; then
    end_at=$((started + 10#$seconds * 1000))
    [ "$end_at" -ge "$shot_at" ] || shot_at=$end_at
  fi
  lab_start "$app"
  local app_pid=$LAB_START_PID rc=0
  wait_for_end "$app_pid" "$shot_at" || true
  # The picture shows the new-SMS window, opened by a click on the tray icon
  # (the shell's message 0x87C0 with WM_LBUTTONUP), with the update notice
  # that the check at start put in its status bar.
  if lab_desk timeout 60 "$ROOT/tools/wine/run.sh" "$BUILD_DIR/tools/screenshot.exe" \
      "$(lab_winpath "$out/screen.png")" --post TTrayIconWindow 0x87C0 0x0202 >/dev/null; then
    say "screenshot (the new-SMS window opened from the tray icon): $out/screen.png"
  else
    say "no screenshot could be taken"
  fi
  if [ -n "$end_at" ] && ! wait_for_end "$app_pid" "$end_at"; then
    say "stopping Vantrel.exe after ${seconds} s"
    return 0
  fi
  wait "$app_pid" || rc=$?
  say "Vantrel.exe ended (exit code $rc)"
  return $rc
}

cmd_bench() {
  cmd_build
  local runs=${VANTREL_BENCH_RUNS:-10}
  . "$ROOT/tools/lab/lab.sh"
  trap lab_down EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  unset VANTREL_DISPLAY
  lab_up
  local phone=${VANTREL_PHONE_CMD-$PHONE_SIM --quiet}
  [ -z "$phone" ] || lab_phone "$phone"
  lab_wine "$BUILD_DIR/bench/startup_bench.exe" --runs "$runs" \
    "$(lab_winpath "$BUILD_DIR/app/Vantrel.exe")" \
    "$(lab_winpath "$BUILD_DIR/bench/minimal_window.exe")" \
    "$(lab_winpath "$BUILD_DIR/bench/platform_window.exe")"
  # Each benchmark is bounded in time; one that fails or hangs is named and
  # the others still run.
  local b failed=()
  while read -r b; do
    [ -n "$b" ] || continue
    echo
    say "benchmark $b"
    lab_desk timeout 1200 "$ROOT/tools/wine/run.sh" "$BUILD_DIR/bench/$b" || failed+=("$b")
  done <"$BUILD_DIR/bench/benchmarks.txt"
  if [ ${#failed[@]} -gt 0 ]; then
    say "failed or timed out: ${failed[*]}"
    return 1
  fi
}

cmd_fuzz() {
  local total=${1:-600}
  if ! [[ "$total" =~ ^[0-9]+$ ]] || [ "$total" -lt 1 ]; then
    say "fuzz: SECONDS must be a whole number of seconds"
    return 2
  fi
  cmd_build
  local list="$BUILD_DIR/tests/fuzz_targets.txt" seed=${VANTREL_FUZZ_SEED:-$(date +%s)}
  local -a lines=()
  local line
  while read -r line; do
    [ -n "$line" ] || continue
    [[ "${line%% *}" =~ ${VANTREL_FUZZ_ONLY:-.} ]] && lines+=("$line")
  done <"$list"
  [ ${#lines[@]} -gt 0 ] || { say "fuzz: no targets"; return 2; }
  local share=$((total / ${#lines[@]})) failed=() rc name where program
  [ "$share" -ge 1 ] || share=1
  say "fuzz: ${#lines[@]} targets, $share s each, seed $seed"
  VANTREL_WINE_HOME="$BUILD_DIR/wine" "$ROOT/tools/wine/env.sh" setup
  trap 'VANTREL_WINE_HOME="$BUILD_DIR/wine" "$ROOT/tools/wine/env.sh" teardown' EXIT
  for line in "${lines[@]}"; do
    read -r name where program rest <<<"$line"
    local -a args
    read -r -a args <<<"$rest"
    args+=(--seed="$seed" --seconds="$share" --progress)
    rc=0
    case "$where" in
      wine) VANTREL_WINE_HOME="$BUILD_DIR/wine" "$ROOT/tools/wine/run.sh" "$program" "${args[@]}" || rc=$? ;;
      lab) "$ROOT/tools/lab/lab.sh" run -- "$program" "${args[@]}" 2> >(grep -v '^lab: ' >&2) || rc=$? ;;
      labplain) "$ROOT/tools/lab/lab.sh" run --plain-fonts -- "$program" "${args[@]}" 2> >(grep -v '^lab: ' >&2) || rc=$? ;;
    esac
    [ "$rc" -eq 0 ] || failed+=("$name")
  done
  if [ ${#failed[@]} -gt 0 ]; then
    say "fuzz: FAILED: ${failed[*]} (inputs kept in $BUILD_DIR/fuzz-failures)"
    return 1
  fi
  say "fuzz: all ${#lines[@]} targets clean"
}

case "${1:-}" in
  deps) cmd_deps ;;
  build) cmd_build ;;
  test) cmd_test ;;
  run) cmd_run ;;
  bench) cmd_bench ;;
  fuzz) cmd_fuzz "${2:-}" ;;
  *)
    echo "usage: ./vantrel.sh deps|build|test|run|bench|fuzz [seconds]" >&2
    exit 2
    ;;
esac
