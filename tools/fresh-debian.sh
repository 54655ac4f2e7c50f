# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

# What the scripts that try the game on a freshly bootstrapped Debian share: a chroot made
# from a minimal base, its mounts and its processes. Sourced by bash scripts that run as
# root, before they read their arguments (it starts them again in a namespace of their
# own); they then call fresh_root RELEASE, which sets $root and undoes it all on exit.
#
# The bootstrapped base of each release is kept in $fresh_cache/RELEASE, and the packages
# apt downloads in $fresh_cache/RELEASE-debs, so that a run does not fetch them again;
# every run copies the base afresh, and nothing of a run outlives it.
fresh_cache=/var/cache/runeshot-fresh

say() { echo "$(basename "$0"): $*" >&2; }

# Mounts made in a mount namespace of our own can neither reach this machine's /dev nor
# outlive the script, whatever ends it.
if [ -z "${RUNESHOT_FRESH_NAMESPACE:-}" ]; then
  [ "$(id -u)" -eq 0 ] || { say "needs root (debootstrap, chroot, mount)"; exit 1; }
  exec env RUNESHOT_FRESH_NAMESPACE=1 unshare --mount --propagation private "$0" "$@"
fi

. "$(dirname "${BASH_SOURCE[0]}")/debian-mirror.sh"

fresh_base() {
  local release=$1 mirror
  mkdir -p "$fresh_cache"
  exec 9>"$fresh_cache/lock"
  flock 9
  if [ ! -d "$fresh_cache/$release" ]; then
    command -v debootstrap >/dev/null ||
      DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
    mirror=$(debian_mirror)
    [ -n "$mirror" ] || { say "no Debian archive found in this machine's apt sources"; exit 1; }
    say "bootstrapping Debian $release from $mirror into $fresh_cache/$release"
    rm -rf "$fresh_cache/$release.part"
    debootstrap --variant=minbase "$release" "$fresh_cache/$release.part" "$mirror" \
      >"$fresh_cache/$release.log" 2>&1 || { cat "$fresh_cache/$release.log" >&2; exit 1; }
    mv "$fresh_cache/$release.part" "$fresh_cache/$release"
  fi
  exec 9>&-
}

# Every process left in the chroot, the display last so that no program sees it go.
stop_processes() {
  local p pass
  for pass in programs display; do
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] || continue
      [ "$pass" = display ] || [ "$(cat "$p/comm" 2>/dev/null)" != Xvfb ] || continue
      kill "${p#/proc/}" 2>/dev/null || true
    done
    sleep 0.5
  done
}

fresh_cleanup() {
  local m
  stop_processes
  for m in var/cache/apt/archives dev/shm dev/pts dev sys proc; do
    mountpoint -q "$root/$m" && { umount "$root/$m" || umount -l "$root/$m"; }
  done
  rm -rf --one-file-system "$root"
}

fresh_root() {
  local release=$1
  fresh_base "$release"
  root=$(mktemp -d /var/tmp/runeshot-fresh.XXXXXX)
  trap fresh_cleanup EXIT
  cp -a "$fresh_cache/$release/." "$root/"
  cp /etc/resolv.conf "$root/etc/"
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mkdir -p "$fresh_cache/$release-debs/partial"
  mount --bind "$fresh_cache/$release-debs" "$root/var/cache/apt/archives"
}

# Runs a command in the chroot as a fresh login would, its output kept to show on failure.
# With --offline it runs without network: its X servers then cannot meet this machine's
# on a display number, since abstract sockets belong to the network namespace.
fresh_run() {
  local offline=()
  [ "$1" != --offline ] || { offline=(unshare --net); shift; }
  "${offline[@]}" chroot "$root" env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games:/usr/sbin:/sbin "$@"
}

fresh_run_quiet() {
  fresh_run "$@" >"$root/tmp/run.log" 2>&1 || { cat "$root/tmp/run.log" >&2; return 1; }
}
