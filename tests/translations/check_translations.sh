#!/usr/bin/env bash
# Fails when a text of the editor's code that goes through Qt's translation
# system has no English translation, or when translations/*.ts is out of
# date with the code (lupdate over the sources would change it).
#   check_translations.sh SOURCE_DIR LUPDATE
set -euo pipefail
source="$1"
lupdate="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$source"/translations/*.ts; do
    cp "$ts" "$work/current.ts"
    "$lupdate" -silent -locations none -no-obsolete -tr-function-alias QT_TRANSLATE_NOOP+=ZE_HELP_TEXT,QT_TRANSLATE_NOOP+=ZE_USER_TEXT -source-language ja -target-language en \
        "$source/src" -ts "$work/current.ts" >/dev/null
    if ! diff -u "$ts" "$work/current.ts"; then
        echo "$(basename "$ts") is out of date with the code: run" \
             "$lupdate -locations none -no-obsolete -tr-function-alias QT_TRANSLATE_NOOP+=ZE_HELP_TEXT,QT_TRANSLATE_NOOP+=ZE_USER_TEXT -source-language ja -target-language en $source/src -ts $ts" >&2
        status=1
    fi
    if grep -n 'type="unfinished"\|type="vanished"\|type="obsolete"\|<translation></translation>' "$ts"; then
        echo "$(basename "$ts") has texts without a translation (listed above)" >&2
        status=1
    fi
done
exit "$status"
