#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages from a clean copy of a commit
# (HEAD unless named: scripts/package.sh [COMMIT]), checks them with lintian,
# and runs the autopkgtests (debian/tests) on this machine: the package is
# installed with apt, and purged again if it was not installed before, checking
# that purging leaves none of its files behind. Everything lands in
# build/package/. Quiet on success; a failing step prints its tool's output.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
out=$PWD/build/package

# run LOG COMMAND...: the command's output goes to LOG; if it fails, the log
# from the first compiler or CMake error (debhelper appends CMake's own logs
# after it), or else its end, is shown.
run() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        if grep -q -e '^FAILED: ' -e '^CMake Error' "$log"; then
            sed -n '/^FAILED: \|^CMake Error/,$p' "$log" | head -n 60 | cut -c 1-400 >&2
        else
            tail -n 40 "$log" | cut -c 1-400 >&2
        fi
        echo "failed: $*; the whole output is in $log" >&2
        exit 1
    fi
}

rm -rf "$out"
mkdir -p "$out/tree"
git archive "${1:-HEAD}" | tar -x -C "$out/tree"
version=$(dpkg-parsechangelog -l "$out/tree/debian/changelog" -S Version)
changes=$out/vantrel_${version}_$(dpkg --print-architecture).changes
mv "$out/tree" "$out/vantrel-$version"

(cd "$out/vantrel-$version" && run "$out/build.log" dpkg-buildpackage -us -uc -J)
run "$out/lintian.log" lintian -I --pedantic --fail-on error,warning "$changes"

# A package this run installs goes again, even when a test fails.
was_installed=0
if dpkg-query -W -f='${Status}' vantrel 2>/dev/null | grep -q '^install ok installed$'; then
    was_installed=1
else
    trap '"${sudo[@]}" apt-get purge -y -qq vantrel >/dev/null 2>&1 || true' EXIT
fi
run "$out/autopkgtest.log" "${sudo[@]}" autopkgtest "$changes" -- null

if ((was_installed == 0)); then
    trap - EXIT
    mapfile -t files < <(dpkg -L vantrel)
    run "$out/purge.log" "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y vantrel
    # A directory may stay only while another package owns it too.
    left=()
    for file in "${files[@]}"; do
        if [[ $file == /. ]]; then
            continue
        elif [[ -d $file ]]; then
            dpkg-query -S "$file" >/dev/null 2>&1 || left+=("$file")
        elif [[ -e $file ]]; then
            left+=("$file")
        fi
    done
    if ((${#left[@]} > 0)) || dpkg-query -W -f='${Status}' vantrel 2>/dev/null | grep -qv 'not-installed'; then
        echo "purging vantrel left behind: ${left[*]:-its package record}" >&2
        exit 1
    fi
fi
