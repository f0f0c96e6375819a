#!/bin/sh
# Fails when a catalogue lacks the translation of a text of the sources:
#   check_catalogues.sh SOURCE_DIR DOMAIN PO_DIR SOURCE_GLOB...
# (the globs relative to SOURCE_DIR). A text added to the code but not to
# the template and the catalogues is caught here.
set -eu
src=$1
domain=$2
po_dir=$3
shift 3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$src"
# shellcheck disable=SC2068 # the globs are meant to expand here
sh scripts/extract-texts.sh "$domain" "$scratch/$domain.pot" $@
status=0
for po in "$po_dir"/*.po; do
    msgcmp "$po" "$scratch/$domain.pot" || status=1
done
exit $status
