#!/bin/sh
# The shipped 32-bit Windows programs under i386 Wine, in an i386 Debian 12 root of their own
# (build/i686/root), apart from the host's Wine and apt settings. Where the kernel does not run
# 32-bit code, or with SW_I686_EMULATE=1, qemu-user from bookworm-backports runs them, registered
# for i386 programs only in a user namespace of each run's own. Every run has its own mount and pid
# namespaces too: nothing stays mounted, registered or running after it, also when it is
# interrupted.
#   i686-wine.sh setup                makes, once, the root, its Wine prefix and (to emulate) qemu
#   i686-wine.sh way                  says which way the programs run
#   i686-wine.sh run PROGRAM ARGS...  runs a Windows program in the current folder, which lies in
#                                     the project or in the maps folder (SW_MAPS_DIR); its output
#                                     and exit status pass through as they are
set -eu
project=$(cd "$(dirname "$0")/.." && pwd -P)
maps=$(cd "${SW_MAPS_DIR:-$project/../shared/maps}" && pwd -P)
state=$project/build/i686
root=$state/root
packages=wine,wine32,libwine,fonts-wine,libxext6,libxrender1,libxrandr2,libxi6,libxinerama1
packages=$packages,libxcomposite1,libxcursor1,libxfixes3
# The i386 ELF header as qemu's own binfmt_misc entries match it.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
namespaces="--mount --propagation private --pid --fork --kill-child"

# enter [--user] COMMAND...: COMMAND as the first process of new mount and pid namespaces, which
# end with it; with --user, of a new user namespace as well, mapped one to one onto the host's
# users, in which COMMAND is root with every power and has a binfmt_misc of its own. The exit
# status is COMMAND's; an interrupt ends the namespaces and everything in them.
enter() {
  exec 3<&0
  ns=
  trap stop INT TERM HUP
  if [ "$1" = --user ]; then
    shift
    unshare --user $namespaces "$0" mapped "$@" <&3 3<&- &
    ns=$!
    # Once unshare has made the user namespace, its maps are written from here, as only the host's
    # root may write a map of every user.
    until [ "$(readlink "/proc/$ns/ns/user")" != "$(readlink /proc/$$/ns/user)" ]; do
      sleep 0.01
    done
    echo '0 0 4294967295' > "/proc/$ns/gid_map" && echo '0 0 4294967295' > "/proc/$ns/uid_map" ||
      kill -KILL $ns
  else
    unshare $namespaces "$@" <&3 3<&- &
    ns=$!
  fi
  status=0
  wait $ns || status=$?
  trap 'exit 130' INT TERM HUP
  return $status
}

# stop: ends the namespaces that enter made and everything in them at once, waits until they are
# gone (their first process is a zombie once all else in them has ended), and exits.
stop() {
  first=$(cat "/proc/$ns/task/$ns/children" 2>/dev/null) || first=
  kill -KILL $first $ns 2>/dev/null
  for pid in $first; do
    while grep -qs '^State:[[:space:]]*[^Z]' "/proc/$pid/status"; do sleep 0.01; done
  done
  exit 130
}

# in_root DIR COMMAND...: COMMAND in the root, in folder DIR, in namespaces of its own (see inside).
in_root() {
  if [ -n "$qemu" ]; then
    enter --user "$0" inside "$qemu" "$@"
  else
    enter "$0" inside "" "$@"
  fi
}

# Whether the kernel runs 32-bit x86 code: three instructions that exit with 42.
runs_i386() {
  printf '.globl _start\n_start: movl $1,%%eax\n movl $42,%%ebx\n int $0x80\n' > "$tmp/t32.s"
  as --32 -o "$tmp/t32.o" "$tmp/t32.s" && ld -m elf_i386 -o "$tmp/t32" "$tmp/t32.o" ||
    { echo "i686-wine: the probe cannot be built (binutils)" >&2; exit 1; }
  status=0
  timeout 1 "$tmp/t32" 2>/dev/null || status=$?
  [ $status -eq 42 ]
}

way() {
  if [ -n "$qemu" ]; then
    echo "i686: emulated (qemu-i386 $("$qemu" --version | sed -n '1s/.*version \([^ ]*\).*/\1/p'))"
  else
    echo "i686: native"
  fi
}

# qemu-user of bookworm-backports (Debian 12's own is far too slow for Wine), through a sources
# list of its own: only its static qemu-i386 is kept.
fetch_qemu() {
  apt=$tmp/apt
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts" "$state"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror" \
    "bookworm-backports main" > "$apt/sources.list"
  set -- -q -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts" \
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User=root
  apt-get "$@" update
  (cd "$apt" && apt-get "$@" download qemu-user/bookworm-backports)
  dpkg-deb --fsys-tarfile "$apt"/qemu-user_*.deb | tar -xO ./usr/bin/qemu-i386 > "$qemu.new"
  chmod +x "$qemu.new"
  mv "$qemu.new" "$qemu"
}

# logged COMMAND...: COMMAND with its output in build/i686/setup.log, shown when it fails.
logged() {
  if ! "$@" >> "$state/setup.log" 2>&1; then
    tail -n 40 "$state/setup.log" >&2
    echo "i686-wine: failed: $*" >&2
    exit 1
  fi
}

# The root, from the mirror of the host's own apt sources; root.ready, written last, says it is
# whole and names its packages.
make_root() {
  rm -f "$state/root.ready" "$state/prefix.ready"
  rm -rf --one-file-system "$root"
  mkdir -p "$root"
  : > "$state/setup.log"
  echo "i686: making an i386 Debian 12 with i386 Wine in $root, once (see $state/setup.log)"
  logged enter debootstrap --foreign --arch=i386 --variant=minbase --include="$packages" \
    bookworm "$root" "$mirror"
  if [ -L "$root/proc" ]; then rm "$root/proc" && mkdir "$root/proc"; fi
  # No device file can be made in a user namespace: container=lxc tells debootstrap not to try.
  logged in_root / env container=lxc /debootstrap/debootstrap --second-stage
  echo "$packages" > "$state/root.ready"
}

# The Wine prefix, with the tests' settings of wine-settings.reg.
make_prefix() {
  rm -rf "$root/root/prefix"
  cp "$project/cmake/wine-settings.reg" "$root/root/settings.reg"
  logged in_root / sh -c \
    'wine wineboot -i && wine regedit /S "Z:\\root\\settings.reg" && wineserver -w'
  touch "$state/prefix.ready"
}

case ${1:-} in
  setup | run | way)
    [ "$(id -u)" -eq 0 ] ||
      exec sudo --preserve-env=SW_I686_EMULATE,SW_MAPS_DIR,DISPLAY,XAUTHORITY "$0" "$@"
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    trap 'exit 130' INT TERM HUP
    qemu=
    if [ "${SW_I686_EMULATE:-}" = 1 ] || ! runs_i386; then qemu=$state/qemu-i386; fi
    ;;
esac

case ${1:-} in
  setup)
    mirror=$(apt-get indextargets --no-release-info --format '$(REPO_URI) $(RELEASE)' \
             'Identifier: Packages' | awk '$2 == "bookworm" { print $1; exit }')
    [ -n "$mirror" ] || { echo "i686-wine: no bookworm mirror in the apt sources" >&2; exit 1; }
    if [ -n "$qemu" ] && [ ! -x "$qemu" ]; then fetch_qemu; fi
    if [ "$(cat "$state/root.ready" 2>/dev/null)" != "$packages" ]; then make_root; fi
    if [ ! -e "$state/prefix.ready" ]; then make_prefix; fi
    way
    ;;
  way | run)
    if [ ! -e "$state/prefix.ready" ] || { [ -n "$qemu" ] && [ ! -x "$qemu" ]; }; then
      echo "i686-wine: not set up; run $0 setup" >&2
      exit 1
    fi
    if [ "$1" = way ]; then way; exit; fi
    shift
    in_root "$(pwd -P)" wine "$@"
    ;;
  mapped)
    # mapped COMMAND...: waits until the user namespace is mapped, then starts COMMAND, which is
    # then root in the namespace. Gaining those powers clears the signal that ends this process
    # with unshare: setpriv sets it again.
    until read -r _ < /proc/self/uid_map; do sleep 0.01; done
    shift
    exec setpriv --pdeathsig KILL "$@"
    ;;
  inside)
    # inside QEMU DIR COMMAND...: the first process of the namespaces mounts the system's, the
    # project's and the maps' folders and the X display's sockets into the root at the places they
    # have on the host, registers QEMU for i386 programs unless it is empty, and runs COMMAND there.
    qemu=$2 dir=$3
    shift 3
    mount -t proc proc "$root/proc"
    if [ -n "$qemu" ]; then
      mount -t binfmt_misc binfmt_misc "$root/proc/sys/fs/binfmt_misc"
      echo ":i386:M::$magic:$mask:$qemu:FP" > "$root/proc/sys/fs/binfmt_misc/register"
    fi
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/tmp"
    for path in "$project" "$maps" /tmp/.X11-unix ${XAUTHORITY:-}; do
      if [ -d "$path" ]; then
        mkdir -p "$root$path"
      elif [ -f "$path" ]; then
        mkdir -p "$root${path%/*}" && : > "$root$path"
      else
        continue
      fi
      mount --rbind "$path" "$root$path"
    done
    status=0
    chroot "$root" /usr/bin/env -i -C "$dir" PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
      LANG=C.UTF-8 WINEPREFIX=/root/prefix WINEARCH=win32 WINEDEBUG=-all \
      WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' \
      ${DISPLAY:+"DISPLAY=$DISPLAY"} ${XAUTHORITY:+"XAUTHORITY=$XAUTHORITY"} "$@" || status=$?
    exit $status
    ;;
  *)
    echo "usage: $0 setup | way | run PROGRAM ARGS..." >&2
    exit 2
    ;;
esac
