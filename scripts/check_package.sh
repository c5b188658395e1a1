#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root as dpkg would
# install it, and checks what a user gets: the files, the package's Depends, and the programs
# running from there on the system's libraries alone.
# Usage: scripts/check_package.sh BUILD_DIR. Exit 77 (a skip) when the packaging tools are missing,
# or when a check's own tool (identify, lintian) is, after every other check passed.
set -euo pipefail

build=$(cd "${1:?usage: check_package.sh BUILD_DIR}" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (bash scripts/install-deps.sh build)"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"
    fail "cpack -G DEB"
    exit 1
}
deb=$(ls "$work"/out/plax_*.deb)
echo "package: $(basename "$deb")"

# Depends: libraries and Qt's plugins only, never a compiler, a -dev package or a test tool.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The package names alone, one a line, compared as fixed strings (libstdc++6 has regex characters).
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 qt6-qpa-plugins libcgraph6 libc6 libstdc++6; do
    grep -Fxq -- "$dep" <<<"$names" || fail "Depends lacks $dep"
done
while read -r dep; do
    case "$dep" in
    lib* | qt6-qpa-plugins) ;;
    *) fail "Depends names $dep, which is no runtime library" ;;
    esac
    case "$dep" in *-dev) fail "Depends names the development package $dep" ;; esac
done <<<"$names"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/plax usr/bin/plax-cli usr/libexec/plax/plax-cli-full \
    usr/share/applications/org.plax.Plax.desktop \
    usr/share/metainfo/org.plax.Plax.metainfo.xml \
    usr/share/mime/packages/plax.xml \
    usr/share/icons/hicolor/scalable/apps/org.plax.Plax.svg \
    usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.plax.Plax.png \
    usr/share/man/man1/plax.1.gz usr/share/man/man1/plax-cli.1.gz \
    usr/share/plax/examples/{road,flow,project,railway,petri}.net \
    usr/share/plax/help/PLAX.HLP \
    usr/share/doc/plax/copyright usr/share/doc/plax/changelog.gz usr/share/doc/plax/README.md; do
    [ -s "$root/$file" ] || fail "missing $file"
done
for page in "$root"/usr/share/man/man1/*.gz; do
    gzip -t "$page" || fail "$page is no gzip file"
done
# Checks whose tool is missing are named at the end, and the test is then a skip, not a pass.
unchecked=()
if command -v identify >/dev/null; then
    size=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/48x48/apps/org.plax.Plax.png")
    [ "$size" = 48x48 ] || fail "the 48x48 icon is $size"
else
    unchecked+=("the icon sizes (ImageMagick's identify)")
fi
# What Debian would say of the package: no error may remain (warnings are listed).
if command -v lintian >/dev/null; then
    lintian --allow-root --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
    cat "$work/lintian.log"
    if grep -q '^E: ' "$work/lintian.log"; then fail "lintian reports errors"; fi
else
    unchecked+=("Debian's policy (lintian)")
fi
# Nothing outside /usr, nothing a build left behind.
stray=$(cd "$root" && find . -type f ! -path './usr/*' -o -type f -name '*.a' -o -type f -name '*.h')
[ -z "$stray" ] || fail "files that do not belong: $stray"

# The programs run from the scratch root without LD_LIBRARY_PATH, and without a display.
cli="$root/usr/bin/plax-cli"
version=$("$cli" --version) || fail "plax-cli --version"
[ "$version" = "plax-cli $(dpkg-deb -f "$deb" Version)" ] || fail "plax-cli --version says '$version'"
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$root/usr/share/metainfo/org.plax.Plax.metainfo.xml" ||
    fail "the metainfo's release is not the package's version"
path=$("$cli" run shortest-path "$root/usr/share/plax/examples/road.net" --source 1 --sink 9 --time 12:00 --date 01.01.2000) ||
    fail "plax-cli run shortest-path on the installed road.net"
grep -q "Procedure complete" <<<"$path" || fail "shortest-path printed: $path"
# A text command loads neither Qt nor Graphviz; a picture is drawn by the helper plax-cli hands it to.
! ldd "$cli" | grep -E 'libQt6|libcgraph' || fail "plax-cli links Qt or Graphviz"
"$cli" convert "$root/usr/share/plax/examples/road.net" "$work/road.png" &&
    [ "$(head -c 4 "$work/road.png" | tail -c 3)" = PNG ] || fail "plax-cli convert to PNG through plax-cli-full"
# Graphviz's library is found where the package's Depends put it.
# (The GraphML is read whole before grep looks at it: grep -q leaving early would fail the writer.)
"$cli" convert "$root/usr/share/plax/examples/railway.net" "$work/railway.gv" &&
    graphml=$("$cli" convert "$work/railway.gv" - --to graphml) &&
    grep -q '<graph id="G" edgedefault="undirected">' <<<"$graphml" ||
    fail "plax-cli convert through DOT and GraphML"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/plax" --help) || fail "plax --help"
grep -q "^Usage: plax \[options\] \[FILE...\]" <<<"$help" || fail "plax --help printed: $help"

if [ "$failed" -ne 0 ]; then exit 1; fi
if [ ${#unchecked[@]} -gt 0 ]; then
    printf 'SKIP: not checked for want of the tool: %s\n' "${unchecked[@]}"
    echo "every other package check passed (bash scripts/install-deps.sh test installs the tools)"
    exit 77
fi
echo "package checks passed"
