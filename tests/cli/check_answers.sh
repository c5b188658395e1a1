#!/usr/bin/env bash
# A grader's loop: twenty students' answers, right and wrong, each in a file of its own, checked
# with plax-cli check; the exit status must say right (0), wrong (4) or refused (1).
# Usage: tests/cli/check_answers.sh PLAX_CLI EXAMPLES_DIR
set -euo pipefail

cli=${1:?usage: check_answers.sh PLAX_CLI EXAMPLES_DIR}
nets=${2:?usage: check_answers.sh PLAX_CLI EXAMPLES_DIR}
answers=$(mktemp -d)
trap 'rm -rf "$answers"' EXIT

# One answer a file: question, net, points, answer, and the status a grader expects.
n=0
add() {
    n=$((n + 1))
    printf '%s\n' "$@" >"$answers/$(printf '%02d' "$n").answer"
}
add shortest-path road.net "--source 1 --sink 9" "1,3,6,8,9" 0
add shortest-path road.net "--source 1 --sink 9" "1,2,5,8,9" 4
add shortest-path road.net "--source 1 --sink 9" "1,3,9" 4
add shortest-path road.net "--source 1 --sink 9" "1,3,6,8,9,x" 1
add spanning-tree road.net "" "(1,3),(3,4),(3,2),(3,6),(6,7),(6,5),(6,8),(8,9)" 0
add spanning-tree road.net "" "(1,3),(3,4),(3,2),(4,7),(6,7),(6,5),(6,8),(8,9)" 4
add max-flow flow.net "--source 1 --sink 6" "13" 0
add max-flow flow.net "--source 1 --sink 6" "12" 4
add max-flow flow.net "--source 1 --sink 9" "13" 1
add critical-path project.net "" "1,2,4,5,6,7" 0
add critical-path project.net "" "1,7" 4
add coloring road.net "" "1,2,3,2,1,2,1,3,2" 0
add coloring road.net "" "1,1,3,2,1,2,1,3,2" 4
add density road.net "" "{1,2,3}" 0
add density flow.net "" "1,2" 1
add euler-cycle road.net "" "none" 0
add euler-path road.net "" "1,3,9" 4
add hamiltonian-cycle road.net "" "1,2,3,6,5,8,9,7,4,1" 0
add cut-points road.net "" "none" 0
add bridges road.net "" "(8,9)" 4

failed=0
count=0
for file in "$answers"/*.answer; do
    mapfile -t f <"$file"
    read -r -a points <<<"${f[2]}"
    status=0
    "$cli" check "${f[0]}" "$nets/${f[1]}" "${points[@]}" --answer "${f[3]}" >/dev/null 2>&1 || status=$?
    count=$((count + 1))
    if [ "$status" -ne "${f[4]}" ]; then
        echo "FAIL: $(basename "$file"): ${f[0]} ${f[1]} \"${f[3]}\" gave $status, expected ${f[4]}"
        failed=1
    fi
done
if [ "$count" -ne 20 ]; then
    echo "FAIL: $count answers checked, not 20"
    failed=1
fi
if [ "$failed" -ne 0 ]; then exit 1; fi
echo "20 answers checked with the expected exit statuses"
