#!/usr/bin/env bash
# One run at a time per destination, and nothing of an earlier run passing
# for this one: a run into a destination another process holds exits 75 at
# once and touches nothing there; a run killed with kill -9 leaves the
# report it began with, never the earlier run's report, patch or review;
# and the lock file it leaves stops no later run.
# Usage: one_run_at_a_time_test.sh PROGRAM
set -euo pipefail

program=$(realpath "$1")
files=5000  # far more than a run gets through before it is killed

work=$(mktemp -d "${TMPDIR:-/tmp}/wordgleaner-one-run.XXXXXX")
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

mkdir mod big out
printf '@1 = ~Open the door~\n' >orig.tra
printf '@1 = ~Ouvrez la porte~\n' >trans.tra
printf '@1 = ~Open the door~\n' >mod/a.tra
for ((file = 0; file < files; file++)); do
    printf '@%d = ~Open the door~\n@%d = ~Close the gate~\n' $((file * 2)) $((file * 2 + 1)) \
        >"big/m$file.tra"
done

# The earlier run: every output, and its report says it completed.
"$program" --patch --review orig.tra trans.tra mod out >/dev/null
grep -q '^Completed (1 / 1)' out/Wordgleaner_report.txt || fail "no earlier report"
snapshot() { (cd out && find . -type f -exec md5sum {} + | sort); }
earlier=$(snapshot)

# Another process holds the lock: the run ends at once with 75 and changes
# nothing.
status=0
flock out/Wordgleaner.lock "$program" --patch orig.tra trans.tra big out >output 2>&1 || status=$?
[ "$status" -eq 75 ] || fail "exit status $status with the lock held, expected 75: $(cat output)"
grep -qx "Another run is writing into out" output || fail "no reason given: $(cat output)"
rm out/Wordgleaner.lock  # the holder's, left as a killed run would
[ "$(snapshot)" = "$earlier" ] || fail "the refused run changed the destination"

# A run going on, then a second one into the same folder.
mkfifo lines
"$program" orig.tra trans.tra big out >lines 2>errors &
pid=$!
exec 3<lines
processing=
while IFS= read -r line <&3; do
    if [[ $line == Processing* ]]; then
        processing=yes
        break
    fi
done
[ -n "$processing" ] || fail "the first run ended before processing a file: $(cat errors)"
status=0
"$program" orig.tra trans.tra mod out >output 2>&1 || status=$?
[ "$status" -eq 75 ] || fail "a second run beside the first ended with $status: $(cat output)"

# Killed outright in the middle of its batch.
kill -KILL "$pid"
{ wait "$pid"; } 2>/dev/null || true  # "Killed", as expected
pid=
exec 3<&-
[ "$(cat out/Wordgleaner_report.txt)" = $'Process started, not ended.\r\nThe run replaces this report when it ends.\r' ] ||
    fail "the report of a killed run: $(cat out/Wordgleaner_report.txt)"
for earlierOutput in tp2patch.tp2 Wordgleaner_review.html Wordgleaner_review.csv; do
    [ ! -e "out/$earlierOutput" ] || fail "the earlier run's $earlierOutput is still there"
done
[ -e out/Wordgleaner.lock ] || fail "the killed run left no lock file (was it still running?)"

# The lock file of the killed run stops no later run, which removes it.
"$program" orig.tra trans.tra mod out >output 2>&1 || fail "a later run failed: $(cat output)"
grep -q '^Completed (1 / 1)' out/Wordgleaner_report.txt || fail "no report of the later run"
[ ! -e out/Wordgleaner.lock ] || fail "the later run left its lock file"
echo "A held destination refused the second run; kill -9 left the start report"
