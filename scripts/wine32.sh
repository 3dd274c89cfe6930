#!/usr/bin/env bash
# Runs a command with a 32-bit Wine in place of the machine's 64-bit one, for the i686 build's
# tests. Usage: scripts/wine32.sh COMMAND...   (as root; what and why: docs/development.md,
# "The 32-bit suite")
#
# In build/wine32/ it keeps, made once and checked each run:
#   root/       an i386 Debian 12 tree (debootstrap) with Debian 12's wine32, the same Wine
#               8.0 as the 64-bit tests; the stamp root/.r7716-ready holds the recipe it was made by
#   qemu-i386   the user-mode emulator, taken from Debian 13's qemu-user package (dpkg -x)
#   bin/        wine, wineserver and wineboot, each starting that Wine inside root/
# The command runs in a mount namespace of its own, with bin/ first on PATH. Every mount of
# the run (binfmt_misc, root/'s /proc, /dev, the X sockets and this source tree at its own
# path) lives in that namespace and goes with it. The one thing outside it, the binfmt_misc
# handler that sends every i386 program through qemu-i386, is removed when the run ends, and
# a handler that a killed run left behind is removed by the next one. So is every process
# left running inside root/.
set -euo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
state=$tree/build/wine32 root=$tree/build/wine32/root
mirror=http://deb.debian.org/debian
# What root/ holds: wine32 and wine, and of libwine's recommendations the X libraries that the
# 64-bit Wine has on this machine (fonts-wine: the prefix's fonts).
packages=(wine wine32 fonts-wine libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2
          libxrender1 libxxf86vm1)
recipe="debootstrap --arch=i386 --variant=minbase bookworm; apt-get install ${packages[*]}"
say() { echo "wine32: $*" >&2; }
[ $# -gt 0 ] || { echo "usage: scripts/wine32.sh COMMAND..." >&2; exit 2; }
[ "$(id -u)" = 0 ] || { say "needs root (a binfmt_misc handler, mounts and a chroot)"; exit 1; }

if [ -z "${R7716_WINE32_NAMESPACE:-}" ]; then
  R7716_WINE32_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi

handler=r7716-i386-$$ binfmt=/proc/sys/fs/binfmt_misc
# The end of every run, also of a failed or interrupted one: the handler goes, and every
# process still inside root/ (only this tree's runs use it) is ended. The mounts go with the
# namespace.
teardown() {
  local pid left
  [ ! -e "$binfmt/$handler" ] || echo -1 >"$binfmt/$handler"
  for _ in 1 2; do
    left=""
    for pid in $(ls /proc | grep '^[0-9]*$'); do
      [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && left="$left $pid"
    done
    [ -z "$left" ] && break
    say "ending what is left inside $root:$left"
    kill -KILL $left 2>/dev/null || true
    sleep 1
  done
}
trap teardown EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# The source tree bound onto itself as a shared mount, before any mount below it (which the
# new mount would hide), so that root/ can get a slave of it below.
mount --bind "$tree" "$tree"
mount --make-shared "$tree"
cd "$PWD"  # the working directory through the new mount

"$tree/scripts/setup.sh" debootstrap

# The emulator: Debian 13's qemu-i386 (10.0). Debian 12's (7.2) stops Wine's start-up with
# "Got unexpected trap -1". apt fetches it with a configuration and lists of its own in
# build/wine32/apt; the machine's sources, lists and packages stay as they are.
if ! "$state/qemu-i386" --version 2>/dev/null | grep -q '^qemu-i386 version 10\.'; then
  say "fetching qemu-i386 from Debian 13's qemu-user"
  apt=$state/apt
  rm -rf "$apt" && mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/deb"
  echo "deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror trixie main" >"$apt/sources.list"
  options=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
           -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Dir::State::status=/dev/null
           -o APT::Architecture=amd64 -o APT::Architectures=amd64 -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
  apt-get "${options[@]}" update -qq
  (cd "$apt/deb" && apt-get "${options[@]}" download -qq qemu-user)
  dpkg -x "$apt"/deb/qemu-user_*.deb "$apt/unpacked"
  install -m 755 "$apt/unpacked/usr/bin/qemu-i386" "$state/qemu-i386"
  rm -rf "$apt"
fi

# The handler: every i386 program (ELF class 32, little-endian, machine 3) goes through
# qemu-i386. F opens the emulator now, so it also serves programs inside root/, where it is
# not; its own LDT and TLS tables let Wine's 32-bit segments work on a kernel that runs no
# 32-bit code itself.
mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
for old in "$binfmt"/r7716-i386-*; do
  [ -e "$old" ] && ! kill -0 "${old##*-}" 2>/dev/null && echo -1 >"$old" && say "removed the stale handler ${old##*/}"
done
printf ':%s:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:%s:F\n' \
  "$handler" "$state/qemu-i386" >"$binfmt/register"

# What programs inside root/ need of the system, for apt there and for the run.
system_mounts() {
  mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
  mountpoint -q "$root/dev" || mount --rbind /dev "$root/dev"
}

# The tree, made anew when its stamp is missing or names another recipe (a run ended midway
# leaves no stamp).
if [ "$(cat "$root/.r7716-ready" 2>/dev/null)" != "$recipe" ]; then
  say "making $root (about 5 minutes and 260 MB of downloads)"
  began=$SECONDS
  rm -rf "$root"
  debootstrap --arch=i386 --variant=minbase bookworm "$root" "$mirror" >"$state/debootstrap.log" 2>&1 ||
    { tail -20 "$state/debootstrap.log" >&2; say "debootstrap failed (whole log: $state/debootstrap.log)"; exit 1; }
  system_mounts
  chroot "$root" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
  chroot "$root" apt-get clean
  echo "$recipe" >"$root/.r7716-ready"
  say "made $root in $((SECONDS - began)) s"
fi

# The run's mounts. root/ gets a slave of the source tree at the same path: a mount that a
# test makes below the tree (the fault cases' RAM disk and read-only drive) shows inside
# root/ too.
system_mounts
mkdir -p /tmp/.X11-unix "$root/tmp/.X11-unix" "$root$tree"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
mount --bind "$tree" "$root$tree"
mount --make-slave "$root$tree"

mkdir -p "$state/bin"
for program in wine wineserver wineboot; do
  # The working directory is kept where root/ has it (this tree), else it is /.
  printf '#!/bin/sh\n# %s of the 32-bit Wine in %s (made by scripts/wine32.sh).\ncase $PWD/ in "%s"/*) wd=$PWD ;; *) wd=/ ;; esac\nexec unshare --root="%s" --wd="$wd" /usr/bin/%s "$@"\n' \
    "$program" "$root" "$tree" "$root" "$program" >"$state/bin/$program"
  chmod 755 "$state/bin/$program"
done
PATH=$state/bin:$PATH "$@"
