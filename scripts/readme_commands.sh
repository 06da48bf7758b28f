#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every command that README.md shows in its shell blocks (```sh), in the
# README's order, the way a reader would type it, and fails on the first one
# that fails. A block of "$ command" lines followed by output is a transcript:
# each command must print that output. A command that CI runs differently
# (shorter, or in a clean checkout) or not at all is listed below with the
# reason; any other command, a new one included, runs as it stands.
#   [VANTREL_README_DONE="CMD CMD..."] scripts/readme_commands.sh [--list] [TEXT]
# --list prints the plan and runs nothing; TEXT keeps only the commands that
# contain it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
readme=$root/README.md

# Commands run another way, and why.
declare -A instead=(
    ["./run.sh"]="run_until_shown"                             # it starts a window: on a display, closed once shown
    ["./bench.sh"]="./bench.sh --benchmark_min_time=0.01"      # figures are not wanted here, only that it runs
    ["./bench.sh --benchmark_filter=HexaText"]="./bench.sh --benchmark_filter=HexaText --benchmark_min_time=0.01"
    ["./fuzz.sh"]="VANTREL_RANDOM_ACTIONS=300 ./fuzz.sh 10"    # ten seconds a target, not a minute, and a short random user
    ["./fuzz.sh 1800"]="VANTREL_RANDOM_ACTIONS=300 ./fuzz.sh 5" # the same run with another length
    ["scripts/leaks.sh"]="VANTREL_PARITY_EVENTS=50 scripts/leaks.sh"  # memcheck over 60,000 parity inputs would take hours
    ["dpkg-buildpackage -us -uc -b"]="in_clean_checkout dpkg-buildpackage -us -uc -b"
    ["lintian ../vantrel_@VERSION@_amd64.changes"]="in_clean_checkout lintian ../vantrel_@VERSION@_amd64.changes"
    ["sudo autopkgtest ../vantrel_@VERSION@_amd64.deb ./ -- null"]="in_clean_checkout sudo autopkgtest ../vantrel_@VERSION@_amd64.deb ./ -- null"
)
declare -A not_in_ci=(
    ["./fuzz.sh --merge"]="it rewrites the tracked corpora under fuzz/corpus/, which a run must leave as they are"
)

version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# A command as the table names it: the version spelled @VERSION@.
key_of() { printf '%s' "${1//$version/@VERSION@}"; }

# sudo when not root, as the README's commands ask; root needs none, and a
# fresh machine may have no sudo at all.
sudo() {
    if (($(id -u) == 0)); then "$@"; else command sudo "$@"; fi
}

# The program on a display, as a user starts it: the build first (it may take
# long), then the window must show within two minutes, and closing it (Alt+F4
# to the window manager) must end the program cleanly.
run_until_shown() {
    ./scripts/setup.sh
    ./scripts/build.sh release
    tests/desktop/on_display.sh scripts/start_and_close.sh ./run.sh
}

# apt's question before it installs is answered yes, as the reader would.
apt_answers=$(mktemp)
echo 'APT::Get::Assume-Yes "true";' >"$apt_answers"
export APT_CONFIG=$apt_answers DEBIAN_FRONTEND=noninteractive

clean=
# The README's "by hand" commands, in a clean checkout of this one, whose
# parent folder gets the packages.
in_clean_checkout() {
    if [[ -z $clean ]]; then
        clean=$(mktemp -d)
        git clone -q "$root" "$clean/vantrel"
    fi
    (cd "$clean/vantrel" && eval "$*")
}
trap 'rm -f "$apt_answers"; [[ -z $clean ]] || rm -rf "$clean"' EXIT

# The command lines of the shell blocks, each as "command<TAB>expected output"
# (output lines joined with \n, empty when the block is not a transcript).
commands() {
    awk '
        /^```sh$/ { inside = 1; next }
        /^```/    { if (pending != "") print pending "\t" output; pending = ""; inside = 0; next }
        !inside   { next }
        /^\$ /    { if (pending != "") print pending "\t" output
                    pending = substr($0, 3); output = ""; transcript = 1; next }
        transcript && pending != "" { output = output (output == "" ? "" : "\\n") $0; next }
        { sub(/[ \t]+#.*$/, ""); if ($0 != "") print $0 "\t" }
    ' "$readme"
}

# Each command's output, kept while it runs and shown if it fails.
mkdir -p build
log=build/readme-command.log

list=0
[[ ${1:-} == --list ]] && { list=1; shift; }
only=${1:-}
count=0
while IFS=$'\t' read -r command expected; do
    [[ $command == *"$only"* ]] || continue
    key=$(key_of "$command")
    count=$((count + 1))
    # Commands the caller ran itself already (.ci/run runs ./test.sh and ./run.sh first).
    if [[ " ${VANTREL_README_DONE:-} " == *" $command "* ]]; then
        echo "-- run already: $command"
        continue
    fi
    if [[ -n ${not_in_ci[$key]:-} ]]; then
        echo "-- not run: $command (${not_in_ci[$key]})"
        continue
    fi
    run=${instead[$key]:-$command}
    run=${run//@VERSION@/$version}
    if ((list)); then
        echo "$command  =>  $run${expected:+  (prints: $expected)}"
        continue
    fi
    echo "== README: $command"
    if [[ -n $expected ]]; then
        # Transcripts show vantrel-convert as installed: the one just built.
        got=$(PATH=$(dirname "$(scripts/executable.sh release vantrel-convert)"):$PATH eval "$run")
        if [[ $got != "$(printf '%b' "$expected")" ]]; then
            echo "README: '$command' printed '$got', not what the README shows" >&2
            exit 1
        fi
    elif ! eval "$run" </dev/null >"$log" 2>&1; then
        # Quiet on success; on failure the end of what the command said.
        tail -n 200 "$log" >&2
        echo "README: '$command' failed; all it said is in $log" >&2
        exit 1
    fi
done < <(commands)
((count > 0)) || { echo "README: no shell commands found" >&2; exit 1; }
