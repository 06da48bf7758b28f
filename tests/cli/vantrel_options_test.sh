#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vantrel --help, --version and a wrong option, with no display at all: they
# must answer on the terminal without starting Qt's platform.
# Usage: vantrel_options_test.sh PATH_TO_VANTREL VERSION
set -u
vantrel=$1
version=$2
failures=0

# A stream matches an extended regular expression, or is empty for "".
matches() {
    if [[ -z $2 ]]; then [[ ! -s $1 ]]; else grep -qE "$2" "$1"; fi
}

# check NAME EXPECTED_STATUS STDOUT_PATTERN STDERR_PATTERN -- ARGUMENTS...
check() {
    local name=$1 status=$2 out_pattern=$3 err_pattern=$4
    shift 5
    local out err actual
    out=$(mktemp) err=$(mktemp)
    env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$vantrel" "$@" >"$out" 2>"$err"
    actual=$?
    if [[ $actual -ne $status ]] || ! matches "$out" "$out_pattern" || ! matches "$err" "$err_pattern"; then
        echo "FAIL $name: status $actual (expected $status)"
        echo "-- stdout:"; cat "$out"
        echo "-- stderr:"; cat "$err"
        failures=$((failures + 1))
    fi
    rm -f "$out" "$err"
}

check help 0 '^Uso: vantrel ' '' -- --help
check short-help 0 '^Uso: vantrel ' '' -- -h
for key in 'Ctrl\+1 +pestaña ASCII' 'Ctrl\+2 +flecha' 'Ctrl\+3 +pestaña HEXA' 'F1 +acerca de'; do
    check "help-lists-${key%% *}" 0 "^  $key" '' -- --help
done
check version 0 "^Vantrel $version\$" '' -- --version
check short-version 0 "^Vantrel $version\$" '' -- -V
check version-alias 0 "^Vantrel $version\$" '' -- -v
check version-with-value 2 '' 'la opción «-V» no admite valor' -- -V=x
check unknown-option 2 '' 'opción desconocida: «--nada»' -- --nada
check unknown-short-option 2 '' 'Pruebe «vantrel --help»' -- -x
check argument 2 '' 'argumento de más: «fichero»' -- fichero
check flag-with-value 2 '' 'la opción «--help» no admite valor' -- --help=x
check qt-option-without-value 2 '' 'la opción «-platform» necesita un valor' -- -platform
# The help lists only options that do something: the style is fixed.
if env -u DISPLAY "$vantrel" --help | grep -q -- '-style'; then
    echo "FAIL help-without-style: --help offers -style"
    failures=$((failures + 1))
fi

# A failed write is reported, not only told by the status.
for arguments in --help --version -V; do
    err=$(env -u QT_QPA_PLATFORM -u DISPLAY "$vantrel" $arguments 2>&1 >/dev/full)
    status=$?
    if [[ $status -ne 1 || $err != "vantrel: no se pudo escribir la salida estándar: "* ]]; then
        echo "FAIL full-disk $arguments: status $status, stderr '$err'"
        failures=$((failures + 1))
    fi
done
exit $((failures > 0))
