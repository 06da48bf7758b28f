#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vantrel-convert against coreutils basenc on the same 64 MiB inputs, whole
# processes timed (start, reading, converting, writing to /dev/null, exit),
# best of five runs each. Conversions basenc does in two steps run as a
# pipeline of two basenc. Before timing, both outputs are compared. Then the
# peak resident memory of every conversion, its 64 MiB input through a pipe
# (GNU time, /usr/bin/time).
#
# bench/cli_bench.sh [path/to/vantrel-convert]
set -euo pipefail
convert=${1:-"$(dirname "$0")/../build/release/cli/vantrel-convert"}
if [[ ! -x /usr/bin/time ]]; then
    echo "cli_bench: the peak memory rows need GNU time (/usr/bin/time, Debian package time)" >&2
    exit 1
fi
runs=5
size=$((64 << 20))

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Printable text (base64 of random bytes), then the binary and hexadecimal
# forms of its start, each exactly 64 MiB: whole 8-digit groups, none zero.
head -c $((size * 3 / 4)) /dev/urandom | base64 -w 0 >"$work/text"
head -c $((size / 8)) "$work/text" | basenc --base2msbf -w 0 >"$work/binary"
head -c $((size / 2)) "$work/text" | basenc --base16 -w 0 >"$work/hex"

milliseconds() { echo $(($(date +%s%N) / 1000000)); }

# Best wall-clock time of a shell command, in milliseconds.
best_time() {
    local best=0 start elapsed
    for ((run = 0; run < runs; run++)); do
        start=$(milliseconds)
        bash -c "$1" >/dev/null
        elapsed=$(($(milliseconds) - start))
        if ((run == 0 || elapsed < best)); then best=$elapsed; fi
    done
    echo "$best"
}

# Both commands must give the same bytes, but for the line break that ends
# vantrel-convert's output and, with "numbers", the leading zeros that basenc
# keeps and vantrel-convert drops from a binary number.
same_output() {
    local drop_zeros=
    [[ ${3-} == numbers ]] && drop_zeros='1s/^0+(.)/\1/'
    if ! cmp -s <(bash -c "$1" | tr -d '\n') <(bash -c "$2" | sed -E "$drop_zeros"); then
        echo "cli_bench: different outputs: $1 / $2" >&2
        exit 1
    fi
}

echo "== command line: vantrel-convert and basenc, 64 MiB inputs, best of $runs"
printf '%-16s %10s  %-44s %10s %7s\n' conversion vantrel basenc "" ratio
compare() {
    local name=$1 ours=$2 theirs=$3 ours_ms theirs_ms
    same_output "$ours" "$theirs" "${4-}"
    ours_ms=$(best_time "$ours")
    theirs_ms=$(best_time "$theirs")
    printf '%-16s %7d ms  %-44s %7d ms %6.1fx\n' "$name" "$ours_ms" "${theirs//"$work"\//}" \
        "$theirs_ms" "$(echo "$theirs_ms $ours_ms" | awk '{ print $1 / ($2 > 0 ? $2 : 1) }')"
}

compare "texto-bin -8" "$convert texto-bin -8 <$work/text" \
    "basenc --base2msbf -w 0 <$work/text"
compare "bin-texto -8" "$convert bin-texto -8 <$work/binary" \
    "basenc --base2msbf -d <$work/binary"
compare "bin-hex" "$convert bin-hex <$work/binary" \
    "basenc --base2msbf -d <$work/binary | basenc --base16 -w 0"
compare "hex-bin" "$convert hex-bin <$work/hex" \
    "basenc --base16 -d <$work/hex | basenc --base2msbf -w 0" numbers
for mode in 7; do
    printf '%-16s %7d ms  %s\n' "texto-bin -$mode" \
        "$(best_time "$convert texto-bin -$mode <$work/text")" "(basenc has no 7-bit groups)"
    printf '%-16s %7d ms  %s\n' "bin-texto -$mode" \
        "$(best_time "$convert bin-texto -$mode <$work/binary")" "(basenc has no 7-bit groups)"
done

# Peak resident memory of a conversion fed through a pipe; the value
# conversions must reject a text that long (status 1), the others convert it.
peak_memory() {
    local input=$1 expected=$2 status=0
    shift 2
    cat "$work/$input" | /usr/bin/time -f %M -o "$work/peak" "$convert" "$@" >/dev/null \
        2>"$work/errors" || status=$?
    if ((status != expected)); then
        echo "cli_bench: vantrel-convert $* ended with status $status, not $expected:" >&2
        cat "$work/errors" >&2
        exit 1
    fi
    printf '%-16s %7.1f MiB\n' "$*" "$(tail -n 1 "$work/peak" | awk '{ print $1 / 1024 }')"
}

echo "== peak memory, 64 MiB through a pipe"
peak_memory text 0 texto-bin -8
peak_memory text 0 texto-bin -7
peak_memory binary 0 bin-texto -8
peak_memory binary 0 bin-texto -7
peak_memory binary 0 bin-hex
peak_memory hex 0 hex-bin
peak_memory text 1 caracter
peak_memory text 1 decimal
peak_memory binary 1 binario
