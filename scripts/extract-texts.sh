#!/bin/sh
# Extracts the translatable texts of the given sources into a gettext
# template:  extract-texts.sh DOMAIN OUTPUT.pot SOURCE...
# Texts are marked with _(), wxGetTranslation(), wxTRANSLATE() or wxPLURAL();
# a comment starting "TRANSLATORS:" right above one goes along with it.
# The texts of XRC layouts (*.xrc) are taken as the toolkit's wxrc sees them.
set -eu
domain=$1
output=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
sources=""
for source in "$@"; do
    case $source in
    *.xrc)
        generated="$scratch/$(basename "$source").cpp"
        wxrc --gettext --output="$generated" "$source"
        sources="$sources $generated"
        ;;
    *) sources="$sources $source" ;;
    esac
done
# shellcheck disable=SC2086 # source paths have no spaces
xgettext --language=C++ --from-code=UTF-8 --keyword=_ --keyword=wxGetTranslation --keyword=wxTRANSLATE \
    --keyword=wxPLURAL:1,2 --add-comments=TRANSLATORS: --sort-by-file --package-name="$domain" \
    --msgid-bugs-address=kelctrls@localhost --output="$output" $sources
