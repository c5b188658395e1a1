#!/usr/bin/env bash
# The TikZ of every example compiles with pdflatex, and every point's name is in the PDF's text.
#   tikz_compiles.sh PLAX_CLI EXAMPLES_DIR
# Exits 77 (a skip, saying why) when pdflatex or pdftotext is missing.
set -euo pipefail
cli=$1 examples=$2
for tool in pdflatex pdftotext; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (bash scripts/install-deps.sh test)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
for net in "$examples"/*.net; do
  name=$(basename "$net" .net)
  "$cli" convert "$net" "$work/$name.tex" --standalone
  if ! (cd "$work" && pdflatex -interaction=nonstopmode -halt-on-error "$name.tex" >"$name.out" 2>&1); then
    echo "FAIL: $name.tex does not compile:"; grep -A3 '^!' "$work/$name.out" | head -8
    failed=$((failed + 1)); continue
  fi
  text=$(pdftotext "$work/$name.pdf" - | tr -s ' \n' '  ')
  missing=$("$cli" dump "$net" | python3 -c '
import json, sys
text = sys.argv[1]
print(" ".join(p["name"] for p in json.load(sys.stdin)["points"] if p["name"] and p["name"] not in text))' "$text")
  if [ -n "$missing" ]; then
    echo "FAIL: $name.pdf lacks the names: $missing"; failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
