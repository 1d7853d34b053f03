#!/bin/sh
# debian-source.sh PACKAGE FOLDER
# Unpacks the source of the Debian package PACKAGE, as `apt-get source` gets it from the archive
# of this machine, into FOLDER, replacing what FOLDER held. Needs a deb-src entry for that
# archive (`make deps-windows` adds one) and dpkg-dev.
set -eu
package=$1
target=$2
work=$(mktemp -d "$target.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq "$package")
rm -rf "$target"
# The unpacked source is the one folder that apt-get made, PACKAGE-VERSION.
mv "$work/$package"-*/ "$target"
