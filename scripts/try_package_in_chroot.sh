#!/usr/bin/env bash
# Tries the Debian package as a user on a clean machine would: in a fresh Debian 12 root made by
# debootstrap, apt installs the .deb with the Depends it names, then plax-cli finds a shortest
# path in the installed example, the desktop entry's Exec line starts plax under Xvfb, the
# freedesktop validators accept the installed entry and metainfo, and apt removes it all again.
# Needs root, debootstrap and the network to Debian's archive; not part of make test.
# Usage: scripts/try_package_in_chroot.sh ROOT_DIR PACKAGE.deb   (ROOT_DIR is made when missing)
set -euo pipefail

root=${1:?usage: try_package_in_chroot.sh ROOT_DIR PACKAGE.deb}
deb=${2:?usage: try_package_in_chroot.sh ROOT_DIR PACKAGE.deb}
[ -d "$root/usr" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
cp /etc/resolv.conf "$root/etc/resolv.conf"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
cp "$deb" "$root/tmp/plax.deb"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./tmp/plax.deb
echo "== installed: $(in_root dpkg-query -W -f='${Package} ${Version}' plax)"
in_root plax-cli run shortest-path /usr/share/plax/examples/road.net --source 1 --sink 9

# The menu entry's command, as a desktop would run it, on a display of its own.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    xvfb xauth desktop-file-utils appstream
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.plax.Plax.desktop")
command=${exec_line% %F}
echo "== Exec=$exec_line"
in_root sh -c "Xvfb :77 -screen 0 1024x768x24 >/dev/null 2>&1 & echo \$! >/tmp/xvfb.pid; sleep 2;
    DISPLAY=:77 $command /usr/share/plax/examples/road.net & echo \$! >/tmp/plax.pid; sleep 4;
    kill -0 \$(cat /tmp/plax.pid) && echo 'plax is running from the desktop entry';
    kill \$(cat /tmp/plax.pid) \$(cat /tmp/xvfb.pid)"
in_root desktop-file-validate /usr/share/applications/org.plax.Plax.desktop
in_root appstreamcli validate --no-net /usr/share/metainfo/org.plax.Plax.metainfo.xml

in_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq plax
left=$(in_root sh -c 'ls /usr/bin/plax /usr/bin/plax-cli /usr/share/plax 2>/dev/null || true')
[ -z "$left" ] || { echo "FAIL: left after removal: $left"; exit 1; }
echo "package tried in $root: installed, ran, removed"
