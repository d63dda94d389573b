#!/usr/bin/env bash
# A stop signal to the running command-line tool (Ctrl-C's SIGINT, SIGTERM
# or SIGHUP): the batch stops before its next file, writes what it has done
# and a report that begins with "Process interrupted.", and the tool ends
# with status 130, as shells report a command stopped by Ctrl-C. Under Wine
# SIGINT reaches the tool as the console's Ctrl-C.
# Usage: stop_signal_test.sh SIGNAL [LAUNCHER...] PROGRAM
set -euo pipefail

signal=$1
shift
program=${*: -1}
launcher=("${@:1:$#-1}")
files=5000  # far more than a run gets through before the abort is seen

work=$(mktemp -d "${TMPDIR:-/tmp}/wordgleaner-stop-signal.XXXXXX")
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    echo "--- output:" >&2
    printf '%s\n' "${lines[@]}" >&2
    exit 1
}

mkdir "$work/mod" "$work/out"
printf '@1 = ~Open the door~\n@2 = ~Close the door~\n' >"$work/orig.tra"
printf '@1 = ~Ouvrez la porte~\n@2 = ~Fermez la porte~\n' >"$work/trans.tra"
for ((file = 0; file < files; file++)); do
    printf '@%d = ~Open the door~\n@%d = ~Close the gate~\n' $((file * 2)) $((file * 2 + 1)) \
        >"$work/mod/m$file.tra"
done

mkfifo "$work/lines"
# Relative paths: a Windows program may take an argument that begins with a
# slash for an option.
program=$(realpath "$program")
cd "$work"
"${launcher[@]}" "$program" orig.tra trans.tra mod out >lines 2>errors &
pid=$!
exec 3<"$work/lines"

lines=()
last=
readLine() {  # one output line without its CR into `last`; false at the end of the output
    IFS= read -r last <&3 || return 1
    last=${last%$'\r'}
    lines+=("$last")
}

# Once files are being processed, the signal.
until [[ $last == Processing* ]]; do
    readLine || fail "the run ended before processing a file"
done
kill -"$signal" "$pid"
while readLine; do :; done
status=0
wait "$pid" || status=$?
pid=

[ "$status" -eq 130 ] || fail "exit status $status, expected 130: $(cat "$work/errors")"
printf '%s\n' "${lines[@]}" | grep -q '^Abort requested' || fail "no abort notice"
printf '%s\n' "${lines[@]}" | grep -qx 'Process interrupted.' || fail "no interruption line"
# The completion line shows once at the end, and once more before it when a
# poll of the progress happened to see it.
completed=$(printf '%s\n' "${lines[@]}" | sed -n "s|^Completed (\([0-9]*\) / $files).*|\1|p" |
    tail -n 1)
[ -n "$completed" ] && [ "$completed" -lt "$files" ] || fail "not stopped early: $completed"
head -c 22 "$work/out/Wordgleaner_report.txt" | cmp -s - <(printf 'Process interrupted.\r\n') ||
    fail "the report does not begin with the interruption line"
# A file the stop cut short is saved too, named in the report and not
# counted as done.
partial=$(sed -n 's|^\(m[0-9]*\.tra\) was saved with the entries done before the stop\.\r$|\1|p' \
    "$work/out/Wordgleaner_report.txt")
expected=$completed
if [ -n "$partial" ]; then
    [ -f "$work/out/$partial" ] || fail "the partial file $partial is missing"
    expected=$((completed + 1))
fi
written=$(find "$work/out" -name '*.tra' | wc -l)
[ "$written" -eq "$expected" ] ||
    fail "$written files written, $completed done and ${partial:-no file} cut short"
echo "Stopped after $completed of $files files${partial:+; $partial cut short}"
