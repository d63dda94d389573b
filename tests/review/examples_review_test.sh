#!/bin/bash
# Runs the command-line tool with --review on examples/ into a temporary
# folder and checks its page in headless Chromium: as many rows as the table
# has entries that are not exact matches, and a filter by outcome
# that hides and shows the right ones.
#
#   examples_review_test.sh WORDGLEANER_CLI EXAMPLES_DIR [OUTCOME...]
#
# CHROMIUM names the browser (default: chromium).
set -euo pipefail

cli=$1
examples=$2
shift 2
here=$(dirname "$0")

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$cli" --review "$examples/reference/english.tra" "$examples/reference/french.tra" \
    "$examples/mod" "$out" >/dev/null

# One table line per entry (no text of examples/ spans lines): the rows of
# the page are those whose outcome, the third field, is not "exact" (a match
# up to case is a row).
table=$out/Wordgleaner_review.csv
entries=$(($(wc -l <"$table") - 1))
exact=$(grep -c -E '^"[^"]*",-?[0-9]+,"exact",' "$table" || true)
rows=$((entries - exact))
echo "table: $entries entries, $exact exact, $rows rows expected on the page"

for outcome in "${@:-likely}"; do
    bash "$here/chromium_review_test.sh" "$out/Wordgleaner_review.html" "$rows" "$outcome"
done
