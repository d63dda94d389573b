#!/usr/bin/env bash
# A file-size limit (`ulimit -f`) below a recovered file's size: the write
# fails like a full disk (exit 6, the file and the reason named) instead of
# the system killing the program, and no temporary file stays behind.
# Usage: file_size_limit_test.sh PROGRAM
set -euo pipefail

program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/wordgleaner-size-limit.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

mkdir "$work/mod" "$work/out"
printf '@1 = ~Open the door~\n' >"$work/orig.tra"
printf '@1 = ~Ouvrez la porte~\n' >"$work/trans.tra"
# About 40 KiB: beyond a limit of 8 KiB, while the report stays below it.
for ((id = 0; id < 1000; id++)); do
    printf '@%d = ~Some text of a mod, long enough~\n' "$id"
done >"$work/mod/big.tra"

set +e
(ulimit -f 8 && exec "$program" "$work/orig.tra" "$work/trans.tra" "$work/mod" "$work/out") \
    >"$work/output" 2>&1
status=$?
set -e

[ "$status" -eq 6 ] || fail "exit status $status, expected 6 (a write failure); output: $(cat "$work/output")"
grep -q "Failed to save big.tra, cause: File write failure (File too large)" "$work/output" ||
    fail "the failure does not name the file and its reason: $(cat "$work/output")"
[ ! -e "$work/out/big.tra" ] || fail "a partial big.tra was left"
leftovers=$(find "$work/out" -name '~wg*.tmp' | wc -l)
[ "$leftovers" -eq 0 ] || fail "$leftovers temporary files left"
grep -q "Failed to save big.tra" "$work/out/Wordgleaner_report.txt" ||
    fail "the report does not tell the failure"
echo "A file-size limit fails the run with exit 6 and leaves no temporary file"
