#!/usr/bin/env bash
# Checks that scripts/packages.txt is complete: builds a bare Debian 12 root
# (minbase plus git, sudo and certificates, nothing else), copies the working
# tree into it and runs the README's test command there. Any package the
# configuration, the build, a test or the API reference needs beyond the list
# makes it fail.
# Run it by hand, as root; it downloads a few hundred megabytes and takes long.
#   scripts/check-packages.sh [root folder] [-- extra arguments for run-tests.sh]
# ZARNO_CHECK_STEP=configure stops after the configuration.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/.." && pwd)"
root="${1:-/var/tmp/zarno-bare-root}"
shift || true
[ "${1:-}" = "--" ] && shift

if [ "$(id -u)" -ne 0 ]; then echo "check-packages: run as root" >&2; exit 2; fi
if ! command -v debootstrap >/dev/null; then
  echo "check-packages: debootstrap is missing: run scripts/install-deps.sh" >&2; exit 2
fi

# The same Debian mirror this machine's apt uses.
mirror="${ZARNO_DEBIAN_MIRROR:-}"
if [ -z "$mirror" ]; then
  mirror="$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}' | grep -v security | head -n1 || true)"
fi
if [ -z "$mirror" ]; then
  mirror="$(grep -hs '^deb ' /etc/apt/sources.list | awk '{print $2}' | head -n1 || true)"
fi
if [ -z "$mirror" ]; then echo "check-packages: set ZARNO_DEBIAN_MIRROR" >&2; exit 2; fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

if [ ! -x "$root/usr/bin/git" ]; then
  rm -rf "$root"
  debootstrap --variant=minbase --include=git,sudo,ca-certificates bookworm "$root" "$mirror"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"

for fs in proc sys dev dev/pts; do
  mkdir -p "$root/$fs"
  mount --bind "/$fs" "$root/$fs"
  mounted+=("$root/$fs")
done
mkdir -p "$root/dev/shm"
mount -t tmpfs shm "$root/dev/shm"
mounted+=("$root/dev/shm")

# The working tree as a fresh clone would have it (tracked and new files,
# nothing ignored: no build folder, no generated assets).
rm -rf "$root/src/zarno"
mkdir -p "$root/src/zarno"
(cd "$repo" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar -cf - --ignore-failed-read) |
  tar -xf - -C "$root/src/zarno"
(cd "$root/src/zarno" && git init -q && git add -A >/dev/null && git -c user.name=check -c user.email=check@localhost commit -qm snapshot)

if [ "${ZARNO_CHECK_STEP:-}" = "configure" ]; then
  cmd='bash scripts/install-deps.sh && cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo'
else
  # The README's test command, then the API reference where the tree has one.
  cmd='bash scripts/run-tests.sh "$@" && { [ ! -f scripts/build-docs.sh ] || bash scripts/build-docs.sh; }'
fi
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 TERM=dumb bash -c "cd /src/zarno && $cmd" check "$@"
