#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install puts every file in place, and AppStream finds the metainfo,
# desktop entry and icon of one application id consistent.
# Usage: check_installed_tree.sh BUILD_DIR SCRATCH_DIR
set -u
build=$1
root=$2/installed
rm -rf "$root"
if ! log=$(cmake --install "$build" --prefix "$root/usr" 2>&1); then
    echo "$log"
    exit 1
fi
id=com.tarnwick.Vantrel
missing=0
for file in bin/vantrel bin/vantrel-convert \
    share/man/man1/vantrel.1.gz share/man/man1/vantrel-convert.1.gz \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png; do
    if [[ ! -f $root/usr/$file ]]; then
        echo "not installed: $file"
        missing=1
    fi
done
if ! log=$(appstreamcli validate-tree --no-net "$root" 2>&1); then
    echo "$log"
    exit 1
fi
exit $missing
