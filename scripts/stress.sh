#!/usr/bin/env bash
# Checks of plax-cli that need real processes and limits: hostile DOT and GraphML files, the
# reachability and a long listing under a memory limit, concurrent Add to Report, a save under a
# file-size limit, and output to a full disk.
# Usage: scripts/stress.sh [BUILD_DIR]   (default: build). Takes about two minutes.
set -euo pipefail

build=${1:-build}
cli="$build/src/cli/plax-cli"
if [ ! -x "$cli" ]; then
    echo "stress: no plax-cli at $cli" >&2
    exit 2
fi
cli="$(cd "$(dirname "$cli")" && pwd)/plax-cli"
examples="$(cd "$(dirname "$0")/../examples" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() {
    local name=$1
    shift
    if "$@"; then
        echo "PASS $name"
        passed=$((passed + 1))
    else
        echo "FAIL $name"
        failed=$((failed + 1))
    fi
}

# The complete net on N points as Krack Plot text (points on a circle, no names).
complete_kp() {
    local n=$1 i j row
    printf '%s\r\n!nc !nl\r\n' "$n"
    for ((i = 1; i <= n; i++)); do
        row=""
        for ((j = 1; j <= n; j++)); do
            if ((i == j)); then row+="0"; else row+="1"; fi
        done
        printf '%s\r\n' "$row"
    done
    printf 'arrows=n\r\n'
}

complete_kp 15 >"$work/K15.kp"
complete_kp 3 >"$work/K3.kp"
"$cli" convert "$work/K15.kp" "$work/K15.net" 2>/dev/null
"$cli" convert "$work/K3.kp" "$work/K3.net" 2>/dev/null

# Every Hamiltonian path of K15 for 60 s in 1 GB of address space: the run ends by its time
# limit, and its text is whole up to the stop lines. Only a summary of the text is kept.
listing_under_memory_limit() {
    local start=$SECONDS rc summary
    set +o pipefail
    (
        ulimit -v 1000000
        exec "$cli" run hamiltonian-path "$work/K15.net" --source 1 --time-limit 60 2>"$work/listing.err"
    ) | awk '/^    Counter = /{blocks++; last=$3} {tail[NR%7]=$0}
             END{print blocks; print last; for (i=NR+1; i<=NR+7; i++) print tail[i%7]}' >"$work/listing.sum"
    rc=${PIPESTATUS[0]}
    set -o pipefail
    local elapsed=$((SECONDS - start))
    if [ "$rc" -ne 0 ] || [ "$elapsed" -gt 75 ]; then
        echo "  exit $rc after ${elapsed}s: $(head -c 300 "$work/listing.err")"
        return 1
    fi
    mapfile -t summary <"$work/listing.sum"
    # Every solution block is there, numbered 1..N, and the last one is whole before the stop lines.
    [ "${summary[0]}" -gt 0 ] && [ "${summary[0]}" = "${summary[1]}" ] || return 1
    [[ ${summary[2]} == "    Counter = ${summary[1]}" ]] || return 1
    [[ ${summary[3]} == "    Hamiltonian Path :     " ]] || return 1
    [[ ${summary[4]} =~ ^"     "(( [1-9]|1[0-5]),){14}$ ]] || return 1
    [[ ${summary[5]} =~ ^"     "( [1-9]|1[0-5])\.$ ]] || return 1
    [[ ${summary[6]} == "    Weight of the current Hamiltonian Path  =  14" ]] || return 1
    [[ ${summary[7]} == "    Procedure complete. " ]] || return 1
    [[ ${summary[8]} == "    Procedure terminated! Hamiltonian Path  Found. " ]] || return 1
}

# Two processes adding 200 reports each to one report file: all 400 blocks arrive, whole.
concurrent_report_appends() {
    mkdir -p "$work/report"
    cp "$work/K3.net" "$work/report/net.net"
    local p k
    for p in 1 2; do
        (
            for ((k = 1000; k < 1200; k++)); do
                "$cli" run metrics "$work/report/net.net" --report --time "p$p-$k" --date 01.01.2030 \
                    >/dev/null 2>>"$work/append$p.err" || echo "run $p $k failed" >>"$work/append$p.err"
            done
        ) &
    done
    wait
    local report="$work/report/net.TXT"
    if [ -s "$work/append1.err" ] || [ -s "$work/append2.err" ]; then
        head -n 3 "$work/append1.err" "$work/append2.err" 2>/dev/null
        return 1
    fi
    [ "$(grep -c 'Report for NetWork' "$report")" -eq 1 ] || return 1
    [ "$(grep -c '^    Procedure complete. ' "$report")" -eq 400 ] || return 1
    for p in 1 2; do
        for ((k = 1000; k < 1200; k++)); do
            grep -q "Time : p$p-$k" "$report" || return 1
        done
    done
    # All blocks have the same length, so the file is the banner and exactly 400 of them.
    local block banner
    block=$("$cli" run metrics "$work/report/net.net" --time "p1-1000" --date 01.01.2030 | sed 's/$/\r/' | wc -c)
    banner=$(head -n 1 "$report" | wc -c)
    [ "$(stat -c %s "$report")" -eq $((banner + 400 * block)) ] || return 1
    [ "$(find "$work/report" -mindepth 1 -printf "%f\n" | LC_ALL=C sort | tr '\n' ' ')" = "net.TXT net.net " ] || return 1
}

# A save past the file-size limit fails: non-zero exit, the old file whole, no temporary file.
save_under_file_size_limit() {
    mkdir -p "$work/fsize"
    cp "$work/K3.net" "$work/fsize/out.net"
    local rc=0
    # Braces: the shell's own note of a child killed by SIGXFSZ is not wanted either.
    { (
        ulimit -f 4
        exec "$cli" convert --yes "$work/K15.net" "$work/fsize/out.net"
    ) 2>/dev/null || rc=$?; } 2>/dev/null
    [ "$rc" -ne 0 ] || return 1
    cmp -s "$work/K3.net" "$work/fsize/out.net" || return 1
    [ "$(find "$work/fsize" -mindepth 1 -printf "%f\n")" = "out.net" ] || {
        echo "  left: $(find "$work/fsize" -mindepth 1 -printf "%f\n" | tr '\n' ' ')"
        return 1
    }
}

# Output that cannot be written ends with exit 1 and a message on standard error.
full_output() {
    local rc=0
    "$cli" "$@" >/dev/full 2>"$work/full.err" || rc=$?
    [ "$rc" -eq 1 ] && grep -q 'standard output cannot be written' "$work/full.err"
}

# Files made to hang or swell a reader: each is refused by its limit within 2 s in 400 MB of
# address space (the libraries take most of that), with its reason, and the figures of
# /usr/bin/time -v are kept in the log when it is installed.
hostile_files() {
    local n
    {
        printf 'digraph { {'
        for ((n = 1; n <= 3000; n++)); do printf ' a%d' "$n"; done
        printf ' } -> {'
        for ((n = 1; n <= 3000; n++)); do printf ' b%d' "$n"; done
        printf ' } }\n'
    } >"$work/product.gv"
    # 16 MB of short strings joined by +, which cgraph joins at a cost of the square of the sum.
    awk 'BEGIN { printf "graph { a [label=\"x\""; for (i = 0; i < 2790000; i++) printf " + \"x\""; print "] }" }' \
        >"$work/joined.gv"
    # Braces hidden in comments and HTML strings from a count that does not read them as DOT does.
    awk 'BEGIN { printf "graph { a;"; for (i = 0; i < 4000; i++) printf " { /*}*/"; for (i = 0; i < 4000; i++) printf " <{>}"; print " }" }' \
        >"$work/hidden.gv"
    awk 'BEGIN {
        printf "<?xml version=\"1.0\"?><graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">\n"
        for (i = 0; i < 8000; i++) printf "<key id=\"k%d\" for=\"edge\" attr.name=\"k%d\"><default>1</default></key>\n", i, i
        printf "<graph edgedefault=\"directed\"><node id=\"a\"/><node id=\"b\"/>\n"
        for (i = 0; i < 1000; i++) printf "<edge source=\"a\" target=\"b\"/>\n"
        print "</graph></graphml>" }' >"$work/keys.graphml"
}
refused_within_limits() {
    local file=$1 reason=$2 rc=0 start=$SECONDS timing=()
    if [ -x /usr/bin/time ]; then timing=(/usr/bin/time -v -o "$work/time.log"); fi
    (
        ulimit -v 400000
        exec timeout 10 "${timing[@]}" "$cli" dump "$file"
    ) >/dev/null 2>"$work/refused.err" || rc=$?
    local elapsed=$((SECONDS - start))
    if [ -s "$work/time.log" ]; then
        echo "  $(basename "$file") ($(stat -c %s "$file") bytes):" \
            "$(grep -E 'Elapsed|Maximum resident' "$work/time.log" | sed 's/^[[:space:]]*//' | tr '\n' ';')"
    fi
    if [ "$rc" -ne 3 ] || [ "$elapsed" -gt 2 ] || ! grep -qF -- "$reason" "$work/refused.err"; then
        echo "  exit $rc after ${elapsed}s: $(head -c 300 "$work/refused.err")"
        return 1
    fi
}

# The markings of three unbounded sources, far more than 300 MB hold: the exploration ends as Stop
# would, saying why, and exits 0 with its account.
reachability_under_memory_limit() {
    local rc=0
    {
        printf '<?xml version="1.0"?><graphml xmlns="http://graphml.graphdrawing.org/xmlns">'
        printf '<key id="s" for="node" attr.name="shape" attr.type="int"/><graph edgedefault="directed">'
        for n in 1 2 3; do
            printf '<node id="t%d"><data key="s">2</data></node><node id="p%d"><data key="s">0</data></node>' "$n" "$n"
            printf '<edge source="t%d" target="p%d"/>' "$n" "$n"
        done
        printf '</graph></graphml>\n'
    } >"$work/sources.graphml"
    (
        ulimit -v 300000
        exec timeout 120 "$cli" petri "$work/sources.graphml" --reachability --max-markings 10000000
    ) >"$work/markings.out" 2>"$work/markings.err" || rc=$?
    if [ "$rc" -ne 0 ] || ! grep -q '(stopped: the memory ran out)' "$work/markings.out" ||
        ! grep -q '^    Procedure terminated! ' "$work/markings.out"; then
        echo "  exit $rc: $(head -c 300 "$work/markings.err") $(grep 'Reachable markings' "$work/markings.out")"
        return 1
    fi
}

hostile_files
check "DOT product of 3000 x 3000 nodes" refused_within_limits "$work/product.gv" "The file has 6000 points"
check "DOT of 16 MB joined strings" refused_within_limits "$work/joined.gv" "a word or string longer than 1024 bytes"
check "DOT braces hidden in comments" refused_within_limits "$work/hidden.gv" "braces nested more than 100 deep"
check "GraphML of 8000 keys with defaults" refused_within_limits "$work/keys.graphml" "more than 256 keys"
check "reachability in 300 MB" reachability_under_memory_limit
check "K15 Hamiltonian listing, 60 s in 1 GB" listing_under_memory_limit
check "2 x 200 concurrent --report appends" concurrent_report_appends
check "save under ulimit -f" save_under_file_size_limit
if [ -w /dev/full ]; then
    check "dump > /dev/full" full_output dump "$work/K15.net"
    check "run info > /dev/full" full_output run info "$work/K15.net"
    check "run hamiltonian-path > /dev/full" full_output run hamiltonian-path "$work/K15.net" --source 1 --time-limit 30
    check "petri > /dev/full" full_output petri "$examples/petri.net"
    check "--help > /dev/full" full_output --help
    check "--version > /dev/full" full_output --version
else
    echo "FAIL /dev/full is missing"
    failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
