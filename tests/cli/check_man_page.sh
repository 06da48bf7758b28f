#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A manual page formats without a single groff warning and has a NAME
# (NOMBRE) line that whatis/apropos can index.
# Usage: check_man_page.sh PAGE
set -u
page=$1
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
if [[ -n $warnings ]]; then
    echo "$warnings"
    exit 1
fi
lexgrog "$page" >/dev/null || { lexgrog "$page"; exit 1; }
