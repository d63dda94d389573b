#!/usr/bin/env bash
# Links between the destination and the files a run reads, in a scratch
# folder: a run never writes through a link, and one whose outputs are its
# inputs under another name is refused before it writes anything (exit 64),
# unless --in-place is given.
# Usage: destination_links_test.sh PROGRAM
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/wordgleaner-links.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

mkdir mod ref
printf '@1 = ~Open the door~\n' >ref/ref_orig.tra
printf '@1 = ~Ouvrez la porte~\n' >ref/ref_trans.tra
printf '@7 = ~Open the door~\n' >mod/GAME.TRA
printf 'an unrelated file\n' >victim.txt
originals=$(cat mod/GAME.TRA ref/ref_orig.tra victim.txt)

# run EXPECTED_STATUS [ARGUMENTS...]: runs into out/ with the reference pair
# and mod/ unless the arguments give other paths.
run() {
    local expected=$1
    shift
    local status=0
    "$program" "$@" >output 2>&1 || status=$?
    [ "$status" -eq "$expected" ] || fail "exit status $status, expected $expected: $(cat output)"
}

refused() {  # OUTPUT_NAME LINK_TARGET: a link in out/ that leads to an input
    rm -rf out && mkdir out
    ln -s "$2" "out/$1"
    run 64 ref/ref_orig.tra ref/ref_trans.tra mod out
    grep -q "a run never writes where it reads" output || fail "no reason given: $(cat output)"
    [ "$(ls out)" = "$1" ] || fail "the refused run wrote into out/: $(ls out)"
}

refused GAME.TRA ../mod/GAME.TRA
refused Wordgleaner_report.txt ../ref/ref_orig.tra

# A mod file that is a link into the destination, and a reference reached
# through a link whose target is there.
rm -rf out && mkdir out mod2
printf '@7 = ~an earlier run~\n' >out/GAME.TRA
ln -s ../out/GAME.TRA mod2/GAME.TRA
run 64 ref/ref_orig.tra ref/ref_trans.tra mod2 out
ln -s out/GAME.TRA linked_orig.tra
run 64 linked_orig.tra ref/ref_trans.tra mod out
[ "$(cat out/GAME.TRA)" = "@7 = ~an earlier run~" ] || fail "out/GAME.TRA was replaced"

# A link to a file the run does not read is replaced, never written through.
rm -rf out && mkdir out
ln -s ../victim.txt out/tp2patch.tp2
run 0 --patch ref/ref_orig.tra ref/ref_trans.tra mod out
[ -f out/tp2patch.tp2 ] && [ ! -L out/tp2patch.tp2 ] || fail "the patch link was not replaced"
grep -q "STRING_SET" out/tp2patch.tp2 || fail "no patch written"

# With --in-place the run goes on, and replaces the link, not the mod file.
rm -rf out && mkdir out
ln -s ../mod/GAME.TRA out/GAME.TRA
run 0 --in-place ref/ref_orig.tra ref/ref_trans.tra mod out
[ ! -L out/GAME.TRA ] && grep -q "Ouvrez la porte" out/GAME.TRA || fail "out/GAME.TRA not recovered"

[ "$(cat mod/GAME.TRA ref/ref_orig.tra victim.txt)" = "$originals" ] ||
    fail "a file reached through a link was changed"
echo "No link was written through; runs onto their inputs were refused"
