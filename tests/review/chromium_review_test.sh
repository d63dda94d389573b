#!/bin/bash
# Loads a review page in headless Chromium and checks the DOM it renders:
# every row is there, the page opens on the rows that need a decision (those
# with a candidate), "#outcome=" shows them all, and a filter by outcome
# given in the page address hides exactly the rows of other outcomes.
#
#   chromium_review_test.sh PAGE EXPECTED_ROWS [OUTCOME]
#
# OUTCOME defaults to "likely". CHROMIUM names the browser (default: chromium).
set -euo pipefail

page=$(realpath "$1")
expected_rows=$2
outcome=${3:-likely}
chromium=${CHROMIUM:-chromium}

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

# Prints the DOM of the page at the given address once its script has run.
dump_dom() {
    "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --virtual-time-budget=5000 --dump-dom "$1" 2>/dev/null
}

# The opening tags of the page's rows, one per line.
row_tags() {
    grep -o '<tr [^>]*data-o="[^"]*"[^>]*>' || true
}

count() {
    grep -c "$1" || true
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

opening=$(dump_dom "file://$page" | row_tags)
rows=$(printf '%s\n' "$opening" | count 'data-o=')
deciding=$(printf '%s\n' "$opening" | count ' data-i=')
shown=$(printf '%s\n' "$opening" | grep -v ' hidden' | count 'data-o=')
shown_deciding=$(printf '%s\n' "$opening" | grep -v ' hidden' | count ' data-i=')
[ "$rows" -eq "$expected_rows" ] || fail "$rows rows rendered, $expected_rows expected"
[ "$deciding" -gt 0 ] || fail "no row holds a candidate"
[ "$shown" -eq "$deciding" ] || fail "$shown rows shown at first, $deciding need a decision"
[ "$shown_deciding" -eq "$deciding" ] || fail "rows that need a decision hidden at first"
echo "opening: $shown of $rows rows shown, those that need a decision"

all_rows=$(dump_dom "file://$page#outcome=" | row_tags)
rows=$(printf '%s\n' "$all_rows" | count 'data-o=')
hidden=$(printf '%s\n' "$all_rows" | count ' hidden')
[ "$rows" -eq "$expected_rows" ] || fail "$rows rows rendered, $expected_rows expected"
[ "$hidden" -eq 0 ] || fail "$hidden rows hidden with every outcome chosen"
echo "every outcome: $rows rows, all shown"

filtered=$(dump_dom "file://$page#outcome=$outcome" | row_tags)
rows=$(printf '%s\n' "$filtered" | count 'data-o=')
matching=$(printf '%s\n' "$filtered" | count "data-o=\"$outcome\"")
shown=$(printf '%s\n' "$filtered" | grep -v ' hidden' | count 'data-o=')
shown_matching=$(printf '%s\n' "$filtered" | grep -v ' hidden' | count "data-o=\"$outcome\"")
[ "$rows" -eq "$expected_rows" ] || fail "$rows rows rendered with the filter"
[ "$matching" -gt 0 ] || fail "no row of outcome $outcome to filter by"
[ "$matching" -lt "$rows" ] || fail "every row is of outcome $outcome: the filter hides nothing"
[ "$shown" -eq "$matching" ] || fail "$shown rows shown for outcome $outcome, $matching expected"
[ "$shown_matching" -eq "$matching" ] || fail "rows of outcome $outcome hidden by its own filter"
echo "filtered by $outcome: $shown of $rows rows shown"
