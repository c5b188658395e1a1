#!/usr/bin/env bash
# Every command, option and procedure that `plax-cli --help` lists must be in plax-cli's manual
# page, and both pages must format without a warning. Exit 77 (a skip) without groff, once the
# words are checked.
# Usage: scripts/check_man_page.sh PLAX_CLI MAN_DIR
set -euo pipefail

cli=${1:?usage: check_man_page.sh PLAX_CLI MAN_DIR}
man_dir=${2:?usage: check_man_page.sh PLAX_CLI MAN_DIR}
page="$man_dir/plax-cli.1"
help=$("$cli" --help)
# The page's text as a reader sees it: roff's \- is a plain hyphen.
text=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$page")

failed=0
words=$(
    grep -Eo -- '--[a-z][a-z0-9-]*' <<<"$help"
    sed -n 's/^  plax-cli \([a-z][a-z-]*\).*/\1/p' <<<"$help"
    sed -n 's/^Procedures for run://p' <<<"$help" | tr ' ' '\n'
)
for word in $(sort -u <<<"$words"); do
    if ! grep -qE -- "(^|[^a-z0-9-])$word([^a-z0-9-]|$)" <<<"$text"; then
        echo "FAIL: plax-cli.1 does not mention $word"
        failed=1
    fi
done

if command -v groff >/dev/null; then
    for p in "$man_dir"/*.1; do
        warnings=$(groff -man -ww -z -Tutf8 "$p" 2>&1)
        if [ -n "$warnings" ]; then
            echo "FAIL: $p: $warnings"
            failed=1
        fi
    done
fi
if [ "$failed" -ne 0 ]; then exit 1; fi
echo "manual pages checked: $(wc -w <<<"$words") words from plax-cli --help"
if ! command -v groff >/dev/null; then
    echo "SKIP: groff is not installed: the pages' formatting was not checked (bash scripts/install-deps.sh test)"
    exit 77
fi
