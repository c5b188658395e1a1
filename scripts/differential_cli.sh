#!/usr/bin/env bash
# Runs every procedure of plax-cli on the examples and on random nets with two builds and
# compares standard output, standard error and exit status byte for byte: what a change that
# must not alter any Results text is checked with, by hand.
# Usage: scripts/differential_cli.sh OLD_PLAX_CLI NEW_PLAX_CLI [RANDOM_NETS (default 100)]
set -uo pipefail

old=$1
new=$2
count=${3:-100}
root="$(cd "$(dirname "$0")/.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

procedures=$("$old" --help | sed -n 's/^Procedures for run: //p')
nets=("$root"/examples/*.net)
for ((k = 0; k < count; ++k)); do
    n=$((3 + k % 7))
    kind=$([ $((k % 3)) -eq 0 ] && echo gnm || echo gnp)
    args=(--n "$n" --seed "$((k + 1))" --weights random --range 1:9)
    [ "$kind" = gnm ] && args+=(--m "$((n + k % n))") || args+=(--p "0.$((3 + k % 5))")
    [ $((k % 2)) -eq 1 ] && args+=(--directed)
    "$old" generate "$kind" "$work/r$k.net" "${args[@]}" --yes >/dev/null 2>&1 || continue
    nets+=("$work/r$k.net")
done

runs=0
differ=0
for net in "${nets[@]}"; do
    for proc in $procedures; do
        for picks in "--source 1 --sink 2" "--source 2 --sink 1"; do
            # shellcheck disable=SC2086
            opts=($picks --marks --time 12:00 --date 01.01.2026 --time-limit 20)
            [ "$proc" = k-shortest-paths ] && opts+=(--k 4)
            "$old" run "$proc" "$net" "${opts[@]}" >"$work/o.out" 2>"$work/o.err"
            echo "exit $?" >>"$work/o.err"
            "$new" run "$proc" "$net" "${opts[@]}" >"$work/n.out" 2>"$work/n.err"
            echo "exit $?" >>"$work/n.err"
            runs=$((runs + 1))
            if ! cmp -s "$work/o.out" "$work/n.out" || ! cmp -s "$work/o.err" "$work/n.err"; then
                differ=$((differ + 1))
                echo "differs: run $proc $(basename "$net") $picks"
            fi
        done
    done
done
echo "differential_cli: $runs runs over ${#nets[@]} nets, $differ differ"
[ "$differ" -eq 0 ]
