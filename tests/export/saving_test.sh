#!/bin/bash
# Saving that never lies: kelvora-render and the viewer's 保存 against a full
# disk (a 200 KiB tmpfs, mounted as root), odd targets and names, memory
# limits (not under the sanitizers), kills and a closed pipe.
#   saving_test.sh KELVORA_RENDER CLASSROOM_TESTS [SANITIZED]
set -u
render=$1 classroom=$2 sanitized=${3:-OFF}
work=$(mktemp -d) failures=0
small=$work/small odd=$work/odd kills=$work/kills
trap 'mountpoint -q "$small" && umount "$small"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
temporaries() { find "$1" -maxdepth 1 -name '.kelvora-*.tmp' | wc -l; }
file() { echo "${2:-$work/good}.${1/sheet/pdf}"; }
# Drawing a 4K GIF under this limit runs out of memory: a refusal before any
# drawing is told from a failure during it.
[ "$sanitized" = ON ] && limit=() || limit=(prlimit --as=$((100 << 20)))

# expect CASE STATUS MESSAGE TARGET BEFORE -- COMMAND...: stderr is one line
# holding MESSAGE (empty: nothing; "*": anything, Qt's remarks in a window
# test), TARGET is byte for byte BEFORE ("-": not checked), and TARGET's
# folder holds no temporary.
expect() {
    local name=$1 status=$2 message=$3 target=$4 before=$5
    shift 6
    "$@" >"$work/out" 2>"$work/err"
    local got=$? said && said=$(cat "$work/err")
    [ "$got" -eq "$status" ] || fail "$name: status $got, not $status ($said)"
    case $message in
    "*") ;;
    "") [ -z "$said" ] || fail "$name: said $said" ;;
    *) [ "$(wc -l <"$work/err")" -eq 1 ] && grep -qF -- "$message" "$work/err" || fail "$name: said $said" ;;
    esac
    [ "$before" = - ] || cmp -s "$target" "$before" || fail "$name: $target was changed"
    [ "$(temporaries "$(dirname "$target")")" -eq 0 ] || fail "$name: a temporary was left"
}

mkdir "$small" "$odd" "$kills"
for kind in png gif sheet; do "$render" --scene 0 --size 96x60 --$kind "$(file $kind)" || fail "a first $kind"; done

if mount -t tmpfs -o size=200k tmpfs "$small" 2>/dev/null; then
    for kind in png gif pdf; do cp "$work/good.$kind" "$small/old.$kind"; done
    cp "$(file sheet)" "$small/w.pdf"
    # Full, then 16 KiB given back: less than any file below.
    cat /dev/zero >"$small/filler" 2>/dev/null; truncate -s -16K "$small/filler"
    for kind in png gif sheet; do
        expect "full disk, --$kind" 1 "No space left on device" "$(file $kind "$small/old")" "$(file $kind)" -- \
            "$render" --scene 8 --size 1920x1080 --$kind "$(file $kind "$small/old")"
    done
    # 保存 over w.pdf through the viewer's window; the test checks its box.
    expect "viewer on a full disk" 0 "*" "$small/w.pdf" "$(file sheet)" -- \
        env KELVORA_FULL_DISK="$small" "$classroom" --gtest_filter='SaveOnAFullDisk.*' --gtest_brief=1
    grep -q "PASSED.*1 test" "$work/out" || fail "the viewer on a full disk: $(cat "$work/out")"
else
    echo "saving_test: cannot mount a tmpfs (needs root): the full-disk cases are skipped"
fi

# Only a regular file is replaced: others are refused before any drawing.
mkfifo "$odd/fifo"
expect "FIFO" 2 "it is not a regular file" "$odd/fifo" - -- "${limit[@]}" "$render" --scene 0 --size 3840x2160 --gif "$odd/fifo"
[ -p "$odd/fifo" ] || fail "the FIFO was replaced"
mknod "$odd/null" c 1 3 2>/dev/null || echo "saving_test: cannot make a device node (needs root): skipped"
[ ! -c "$odd/null" ] || expect "device" 2 "it is not a regular file" "$odd/null" - -- "$render" --scene 0 --gif "$odd/null"
[ ! -e "$odd/null" ] || [ -c "$odd/null" ] || fail "the device was replaced"
mkdir "$odd/dir.pdf"
expect "directory" 2 "it is a directory" "$odd/fifo" - -- "$render" --scene 0 --sheet "$odd/dir.pdf"

# A symbolic link is followed; a read-only file refused; a mode kept.
"$render" --scene 1 --size 96x60 --png "$work/new.png"
cp "$(file png)" "$odd/real.png" && ln -s real.png "$odd/link.png"
expect "symbolic link" 0 "" "$odd/real.png" "$work/new.png" -- "$render" --scene 1 --size 96x60 --png "$odd/link.png"
[ "$(readlink "$odd/link.png")" = real.png ] || fail "the link was replaced"
cp "$(file png)" "$odd/ro.png" && chmod 444 "$odd/ro.png"
expect "read-only" 2 "the file is read-only" "$odd/ro.png" "$(file png)" -- "$render" --scene 1 --png "$odd/ro.png"
cp "$(file png)" "$odd/mode.png" && chmod 640 "$odd/mode.png"
expect "mode kept" 0 "" "$odd/mode.png" "$work/new.png" -- "$render" --scene 1 --size 96x60 --png "$odd/mode.png"
[ "$(stat -c %a "$odd/mode.png")" = 640 ] || fail "the mode became $(stat -c %a "$odd/mode.png")"

# Names are the bytes given (o\xff.png is not o\xef\xbf\xbd.png); bad bytes
# are echoed as U+FFFD, as the WebAssembly build echoes them.
raw=$(printf 'o\377.png') replaced=$(printf 'o\357\277\275.png')
cp "$(file png)" "$odd/$replaced"
expect "non-UTF-8 name" 0 "" "$odd/$raw" "$work/new.png" -- "$render" --scene 1 --size 96x60 --png "$odd/$raw"
cmp -s "$odd/$replaced" "$(file png)" || fail "the file named with U+FFFD was overwritten"
expect "non-UTF-8 value" 2 "--scene: '$(printf '\357\277\275\357\277\275')' is not" "$odd/x" - -- \
    "$render" --scene "$(printf '\377\376')" --trace
long="$odd/$(printf 'a%.0s' $(seq 300)).png"
expect "300-character name" 2 "File name too long" "$long" - -- "${limit[@]}" "$render" --scene 8 --size 3840x2160 --gif "$long"

# Memory: one message at 100 MiB; at 300 MiB the worksheet, drawn a frame at
# a time, has all 12, and the GIF, holding them all, runs out.
if [ "$sanitized" = OFF ]; then
    for kind in gif sheet; do
        expect "100 MiB, --$kind" 1 "out of memory" "$(file $kind)" "$(file $kind)" -- \
            "${limit[@]}" "$render" --scene 8 --size 3840x2160 --$kind "$(file $kind)"
    done
    expect "300 MiB, --gif" 1 "out of memory" "$(file gif)" "$(file gif)" -- \
        prlimit --as=$((300 << 20)) "$render" --scene 8 --size 3840x2160 --gif "$(file gif)"
    expect "300 MiB, --sheet" 0 "" "$work/limited.pdf" - -- \
        prlimit --as=$((300 << 20)) "$render" --scene 8 --size 3840x2160 --sheet "$work/limited.pdf"
    [ "$(pdfimages -list "$work/limited.pdf" | tail -n +3 | wc -l)" -eq 12 ] || fail "frames missing under 300 MiB"
fi

# 20 kills while a 4K GIF is written: the old file stays whole (or the new
# one is complete), and the next save removes what the killed ones left.
"$render" --scene 0 --size 3840x2160 --gif "$work/complete.gif" || fail "a 4K GIF"
cp "$(file gif)" "$kills/a.gif"
RANDOM=21 left=0
for run in $(seq 20); do
    "$render" --scene 0 --size 3840x2160 --gif "$kills/a.gif" 2>/dev/null &
    pid=$!
    for _ in $(seq 1000); do
        [ "$(temporaries "$kills")" -eq 0 ] && kill -0 $pid 2>/dev/null || break
        sleep 0.005
    done
    sleep "0.$((RANDOM % 30))"
    kill -s "$([ $((run % 2)) -eq 0 ] && echo KILL || echo TERM)" $pid 2>/dev/null
    wait $pid 2>/dev/null
    cmp -s "$kills/a.gif" "$(file gif)" || cmp -s "$kills/a.gif" "$work/complete.gif" || fail "kill $run broke a.gif"
    # Each run clears what the one before left: they never pile up.
    [ "$(temporaries "$kills")" -le 1 ] || fail "temporaries pile up after kill $run"
    left=$((left + $(temporaries "$kills")))
done
[ "$left" -gt 0 ] || fail "no kill left a temporary to clear"
expect "a save after the kills" 0 "" "$kills/b.gif" - -- "$render" --scene 0 --size 96x60 --gif "$kills/b.gif"

# A trace's reader that goes away: a failed write, not a silent death.
"$render" --scene 8 --frames 24 --all --trace 2>"$work/err" | head -c 1 >/dev/null
[ "${PIPESTATUS[0]}" -eq 1 ] && grep -qx "kelvora-render: cannot write the trace to standard output" "$work/err" \
    || fail "SIGPIPE: $(cat "$work/err")"

[ "$failures" -eq 0 ] || { echo "saving_test: $failures failures" >&2; exit 1; }
echo "saving_test: every case passed"
