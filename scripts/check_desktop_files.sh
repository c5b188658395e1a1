#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the MIME types, checked by the freedesktop tools,
# and the MIME package compiled to see that it names the files Plax opens.
# Usage: scripts/check_desktop_files.sh PACKAGING_DIR. Exit 77 (a skip) when a tool is missing.
set -euo pipefail

dir=${1:?usage: check_desktop_files.sh PACKAGING_DIR}
for tool in desktop-file-validate appstreamcli update-mime-database; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (bash scripts/install-deps.sh test)"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
# Hints are advice; errors and warnings fail.
out=$(desktop-file-validate "$dir/org.plax.Plax.desktop" 2>&1) || failed=1
if grep -Eq 'error|warning' <<<"$out"; then failed=1; fi
[ -z "$out" ] || echo "$out"
appstreamcli validate --no-net "$dir/org.plax.Plax.metainfo.xml" || failed=1

mkdir -p "$work/mime/packages"
cp "$dir/plax-mime.xml" "$work/mime/packages/plax.xml"
# It notes on standard error that the scratch folder is not searched; that is not a fault.
update-mime-database "$work/mime" >"$work/update.log" 2>&1 || {
    cat "$work/update.log"
    failed=1
}
for glob in 'application/x-plax-net:\*\.net' 'application/x-krackplot:\*\.kp'; do
    grep -q "^50:$glob$" "$work/mime/globs2" || {
        echo "FAIL: the compiled MIME database lacks $glob"
        failed=1
    }
done
# The desktop entry claims exactly the types the MIME package defines.
claimed=$(sed -n 's/^MimeType=//p' "$dir/org.plax.Plax.desktop" | tr ';' '\n' | sed '/^$/d' | sort)
defined=$(grep -o 'mime-type type="[^"]*"' "$dir/plax-mime.xml" | cut -d'"' -f2 | sort)
[ "$claimed" = "$defined" ] || {
    echo "FAIL: the desktop entry opens '$claimed', the MIME package defines '$defined'"
    failed=1
}
if [ "$failed" -ne 0 ]; then exit 1; fi
echo "desktop entry, metainfo and MIME types checked"
