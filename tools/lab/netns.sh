#!/usr/bin/env bash
# The lab network: two network namespaces joined by one veth pair and linked
# to nothing else, so that no datagram of a program under test can reach the
# machine's real interfaces.
#
#   netns.sh up ID                  make the lab ID
#   netns.sh down ID                end what runs in it and remove it
#   netns.sh exec ID desk|phone CMD...
#   netns.sh list                   the ids of the labs that exist
#   netns.sh prune                  remove labs left empty by runs that died
#
# Lab ID (letters, digits, at most 16):
#   vantrel-desk-ID   to-phone 10.77.0.2/24, lo; default route via 10.77.0.1
#   vantrel-phone-ID  to-desk  10.77.0.1/24, lo; no route beyond the pair
# Each namespace gets /etc/netns/<name>/hosts and resolv.conf (name server on
# its own loopback, where nothing answers), so no name query leaves it.
# With LAB_DESK_NAMESERVER=phone the desk side asks the phone side's address
# instead (where a run's update server answers), still inside the lab.
# Ports below 1024 are open to everyone on the phone side (its servers need
# not run as root).
# Needs root; uses sudo when not root.
set -eu

LAB_DESK_IP=10.77.0.2
LAB_PHONE_IP=10.77.0.1
LAB_PREFIXLEN=24

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo

die() { echo "netns.sh: $*" >&2; exit 2; }

check_id() {
  [[ "${1:-}" =~ ^[A-Za-z0-9]{1,16}$ ]] || die "bad lab id '${1:-}'"
}

names() {
  DESK="vantrel-desk-$1"
  PHONE="vantrel-phone-$1"
}

exists() { [ -e "/run/netns/$1" ] || [ -e "/var/run/netns/$1" ]; }

write_etc() {  # write_etc NS [NAMESERVER]
  local dir="/etc/netns/$1" server=${2:-127.0.0.1}
  $SUDO mkdir -p "$dir"
  printf '127.0.0.1\tlocalhost\n%s\tvantrel-desk\n%s\tvantrel-phone\n' \
    "$LAB_DESK_IP" "$LAB_PHONE_IP" | $SUDO tee "$dir/hosts" >/dev/null
  printf 'nameserver %s\noptions timeout:1 attempts:1\n' "$server" \
    | $SUDO tee "$dir/resolv.conf" >/dev/null
}

# Ends every process that runs in namespace NS (all of them were started
# inside the lab), politely first.
end_processes() {
  local ns=$1 pids
  exists "$ns" || return 0
  pids=$($SUDO ip netns pids "$ns" 2>/dev/null || true)
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086
  $SUDO kill -TERM $pids 2>/dev/null || true
  for _ in $(seq 1 50); do
    pids=$($SUDO ip netns pids "$ns" 2>/dev/null || true)
    [ -n "$pids" ] || return 0
    sleep 0.1
  done
  # shellcheck disable=SC2086
  $SUDO kill -KILL $pids 2>/dev/null || true
  sleep 0.2
}

down() {
  names "$1"
  local ns
  for ns in "$DESK" "$PHONE"; do
    end_processes "$ns"
    if exists "$ns"; then $SUDO ip netns del "$ns" 2>/dev/null || true; fi
    $SUDO rm -rf "/etc/netns/$ns"
  done
}

up() {
  names "$1"
  $SUDO ip netns add "$DESK"
  $SUDO ip netns add "$PHONE"
  if [ "${LAB_DESK_NAMESERVER:-}" = phone ]; then
    write_etc "$DESK" "$LAB_PHONE_IP"
  else
    write_etc "$DESK"
  fi
  write_etc "$PHONE"
  # Both ends are created inside their namespaces: nothing appears on the host.
  $SUDO ip link add to-phone netns "$DESK" type veth peer name to-desk netns "$PHONE"
  $SUDO ip -n "$DESK" link set lo up
  $SUDO ip -n "$PHONE" link set lo up
  $SUDO ip -n "$DESK" addr add "$LAB_DESK_IP/$LAB_PREFIXLEN" dev to-phone
  $SUDO ip -n "$PHONE" addr add "$LAB_PHONE_IP/$LAB_PREFIXLEN" dev to-desk
  $SUDO ip -n "$DESK" link set to-phone up
  $SUDO ip -n "$PHONE" link set to-desk up
  # The desktop program binds the first address that has a gateway.
  $SUDO ip -n "$DESK" route add default via "$LAB_PHONE_IP" dev to-phone
  # The phone side forwards nothing (it has nowhere to forward to anyway).
  $SUDO ip netns exec "$PHONE" sh -c 'echo 0 > /proc/sys/net/ipv4/ip_forward'
  $SUDO ip netns exec "$PHONE" sh -c 'echo 0 > /proc/sys/net/ipv4/ip_unprivileged_port_start'
}

# A lab whose id is the pid of a process that is gone and in which nothing
# runs any more was left by a run that could not clean up (killed outright).
prune() {
  local id
  for id in $(ip netns list 2>/dev/null | sed -n 's/^vantrel-desk-\([0-9][0-9]*\)\( .*\)\{0,1\}$/\1/p'); do
    [ ! -d "/proc/$id" ] || continue
    names "$id"
    [ -z "$($SUDO ip netns pids "$DESK" 2>/dev/null)" ] || continue
    if exists "$PHONE"; then
      [ -z "$($SUDO ip netns pids "$PHONE" 2>/dev/null)" ] || continue
    fi
    down "$id"
  done
}

case "${1:-}" in
  up)
    check_id "${2:-}"
    names "$2"
    if exists "$DESK" || exists "$PHONE"; then die "lab $2 exists already"; fi
    # A half-made lab is removed again.
    # shellcheck disable=SC2154
    trap 'rc=$?; [ $rc -eq 0 ] || down "$2"; exit $rc' EXIT
    up "$2"
    ;;
  down)
    check_id "${2:-}"
    down "$2"
    ;;
  exec)
    check_id "${2:-}"
    names "$2"
    case "${3:-}" in
      desk) ns=$DESK ;;
      phone) ns=$PHONE ;;
      *) die "exec: say desk or phone" ;;
    esac
    shift 3
    [ $# -gt 0 ] || die "exec: no command"
    exists "$ns" || die "no namespace $ns"
    if [ -z "$SUDO" ]; then
      exec ip netns exec "$ns" "$@"
    fi
    # Not root: enter as root, then drop back to the caller's identity and
    # environment (sudo resets the environment).
    keep=()
    for var in HOME PATH USER LOGNAME LANG LC_ALL TERM TMPDIR DISPLAY XAUTHORITY; do
      [ -z "${!var+x}" ] || keep+=("$var=${!var}")
    done
    exec sudo ip netns exec "$ns" \
      setpriv --reuid "$(id -u)" --regid "$(id -g)" --init-groups env "${keep[@]}" "$@"
    ;;
  prune)
    prune
    ;;
  list)
    ip netns list 2>/dev/null | sed -n 's/^vantrel-desk-\([A-Za-z0-9]*\).*/\1/p'
    ;;
  *)
    echo "usage: netns.sh up ID | down ID | exec ID desk|phone CMD... | list | prune" >&2
    exit 2
    ;;
esac
