#!/usr/bin/env bash
# Standard output that goes away or fills up while the command-line tool runs
# (`wordgleaner-cli ... | head -n 1`, a full disk): the batch neither stops
# nor dies. It writes every recovered file and its report and ends with
# status 0, the status that tells the files were written.
# Usage: closed_output_test.sh PROGRAM
set -euo pipefail

program=$1
files=1000  # a run long enough to write again after the reader is gone

work=$(mktemp -d "${TMPDIR:-/tmp}/wordgleaner-closed-output.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

mkdir "$work/mod"
printf '@1 = ~Open the door~\n@2 = ~Close the door~\n' >"$work/orig.tra"
printf '@1 = ~Ouvrez la porte~\n@2 = ~Fermez la porte~\n' >"$work/trans.tra"
for ((file = 0; file < files; file++)); do
    printf '@%d = ~Open the door~\n' "$file" >"$work/mod/m$file.tra"
done

# Every file recovered and a report of the whole batch.
expectAllWritten() {  # destination, what the output went to
    local written
    written=$(find "$1" -name '*.tra' | wc -l)
    [ "$written" -eq "$files" ] || fail "$2: $written of $files files written"
    grep -q "^Completed ($files / $files)" "$1/Wordgleaner_report.txt" ||
        fail "$2: the report does not tell a completed batch"
}

mkdir "$work/piped"
set +o pipefail
"$program" "$work/orig.tra" "$work/trans.tra" "$work/mod" "$work/piped" 2>"$work/errors" |
    head -n 1 >/dev/null
status=${PIPESTATUS[0]}
set -o pipefail
[ "$status" -eq 0 ] || fail "into a closed pipe: exit status $status: $(cat "$work/errors")"
expectAllWritten "$work/piped" "into a closed pipe"

if [ -e /dev/full ]; then
    mkdir "$work/full"
    status=0
    "$program" "$work/orig.tra" "$work/trans.tra" "$work/mod" "$work/full" >/dev/full \
        2>"$work/errors" || status=$?
    [ "$status" -eq 0 ] || fail "into a full disk: exit status $status: $(cat "$work/errors")"
    expectAllWritten "$work/full" "into a full disk"
fi
echo "All $files files written with the output gone"
