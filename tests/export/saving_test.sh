#!/bin/bash
# Saving that never lies: kelvora-render and the viewer's 保存 against a
# full disk, odd targets and names, memory limits, kills and a closed pipe.
# Every case checks the exit status, the one line on stderr, the target
# left byte for byte, and that no temporary file remains.
#   saving_test.sh KELVORA_RENDER CLASSROOM_TESTS [SANITIZED]
# The full disk is a 200 KiB tmpfs mounted here, which needs root; without
# it those cases are skipped with a message. Under the sanitizers (which
# reserve terabytes of address space) the memory limits are skipped.
set -u
render=$1
classroom=$2
sanitized=${3:-OFF}

work=$(mktemp -d)
small="$work/small"
cleanup() {
    mountpoint -q "$small" 2>/dev/null && umount "$small"
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

temporaries() { find "$1" -maxdepth 1 -name '.kelvora-*.tmp' | wc -l; }

# expect CASE STATUS MESSAGE TARGET BEFORE -- COMMAND...
# Runs the command; checks its status, that stderr is one line holding
# MESSAGE (nothing when MESSAGE is empty, anything when it is "*": Qt's
# remarks about the environment in a window test), that TARGET is byte for byte the
# file BEFORE (when BEFORE is not "-"), and that TARGET's folder holds no
# temporary.
expect() {
    local name=$1 status=$2 message=$3 target=$4 before=$5
    shift 6
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$status" ] || fail "$name: status $got, not $status ($(cat "$work/err"))"
    if [ "$message" = "*" ]; then
        :
    elif [ -z "$message" ]; then
        [ ! -s "$work/err" ] || fail "$name: said $(cat "$work/err")"
    else
        [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$name: stderr is not one line: $(cat "$work/err")"
        grep -qF -- "$message" "$work/err" || fail "$name: no '$message' in: $(cat "$work/err")"
    fi
    [ "$before" = - ] || cmp -s "$target" "$before" || fail "$name: $target was changed"
    [ "$(temporaries "$(dirname "$target")")" -eq 0 ] || fail "$name: a temporary file was left"
}

odd="$work/odd"
mkdir "$odd"
"$render" --scene 0 --size 96x60 --png "$work/good.png" || fail "a first PNG"
"$render" --scene 0 --size 96x60 --gif "$work/good.gif" || fail "a first GIF"
"$render" --scene 0 --size 96x60 --sheet "$work/good.pdf" || fail "a first worksheet"

# A full disk: each kind of file over an existing good one.
mkdir "$small"
if mount -t tmpfs -o size=200k tmpfs "$small" 2>/dev/null; then
    for kind in png gif sheet; do
        cp "$work/good.${kind/sheet/pdf}" "$small/old.$kind"
    done
    cp "$work/good.pdf" "$small/w.pdf"
    # Full, then 16 KiB given back: less than any of the files below.
    cat /dev/zero >"$small/filler" 2>/dev/null
    truncate -s -16K "$small/filler"
    for kind in png gif sheet; do
        expect "full disk, --$kind" 1 "No space left on device" "$small/old.$kind" "$work/good.${kind/sheet/pdf}" -- \
            "$render" --scene 8 --size 1920x1080 --"$kind" "$small/old.$kind"
    done
    # The viewer's 保存 over the worksheet, through its window: the test
    # checks the message box; here, what is left on the disk.
    expect "viewer on a full disk" 0 "*" "$small/w.pdf" "$work/good.pdf" -- \
        env KELVORA_FULL_DISK="$small" "$classroom" --gtest_filter='SaveOnAFullDisk.*' --gtest_brief=1
    grep -q "1 test" "$work/out" && ! grep -q SKIPPED "$work/out" || fail "the viewer on a full disk: $(cat "$work/out")"
else
    echo "saving_test: cannot mount a tmpfs (needs root): the full-disk cases are skipped"
fi

# Targets that are not regular files are refused before anything is drawn.
mkfifo "$odd/fifo"
expect "FIFO" 2 "it is not a regular file" "$odd/fifo" - -- "$render" --scene 0 --png "$odd/fifo"
[ -p "$odd/fifo" ] || fail "the FIFO was replaced"
if mknod "$odd/null" c 1 3 2>/dev/null; then
    expect "device" 2 "it is not a regular file" "$odd/null" - -- "$render" --scene 0 --gif "$odd/null"
    [ -c "$odd/null" ] || fail "the device was replaced"
else
    echo "saving_test: cannot make a device node (needs root): that case is skipped"
fi
expect "directory" 2 "it is a directory" "$odd/fifo" - -- "$render" --scene 0 --sheet "$odd"

# A symbolic link is followed: the file it leads to gets the new picture.
"$render" --scene 1 --size 96x60 --png "$work/expected.png"
cp "$work/good.png" "$odd/real.png"
ln -s real.png "$odd/link.png"
expect "symbolic link" 0 "" "$odd/real.png" "$work/expected.png" -- \
    "$render" --scene 1 --size 96x60 --png "$odd/link.png"
[ "$(readlink "$odd/link.png")" = real.png ] || fail "the link was replaced"

# A read-only file is refused; a writable one keeps its mode.
cp "$work/good.png" "$odd/ro.png"
chmod 444 "$odd/ro.png"
expect "read-only file" 2 "the file is read-only" "$odd/ro.png" "$work/good.png" -- \
    "$render" --scene 1 --size 96x60 --png "$odd/ro.png"
cp "$work/good.png" "$odd/mode.png"
chmod 640 "$odd/mode.png"
expect "mode kept" 0 "" "$odd/mode.png" "$work/expected.png" -- "$render" --scene 1 --size 96x60 --png "$odd/mode.png"
[ "$(stat -c %a "$odd/mode.png")" = 640 ] || fail "the mode became $(stat -c %a "$odd/mode.png")"

# Names are the bytes given: o\xff.png is not written as o\xef\xbf\xbd.png.
raw=$(printf 'o\377.png')
replaced=$(printf 'o\357\277\275.png')
cp "$work/good.png" "$odd/$replaced"
expect "non-UTF-8 name" 0 "" "$odd/$raw" "$work/expected.png" -- "$render" --scene 1 --size 96x60 --png "$odd/$raw"
cmp -s "$odd/$replaced" "$work/good.png" || fail "the file named with U+FFFD was overwritten"
# ... and echoed as UTF-8, as the WebAssembly build echoes them.
expect "non-UTF-8 value" 2 "--scene: '$(printf '\357\277\275\357\277\275')' is not a whole number" "$odd/fifo" - -- \
    "$render" --scene "$(printf '\377\376')" --trace

long="$odd/$(printf 'a%.0s' $(seq 300)).png"
expect "300-character name" 2 "File name too long" "$long" - -- "$render" --scene 8 --size 3840x2160 --png "$long"

# Memory limits: one clear message at the lower; at the higher the
# worksheet, drawn a frame at a time, has every frame, and the GIF, which
# holds them all, says it ran out of memory.
if [ "$sanitized" = OFF ]; then
    for kind in gif sheet; do
        expect "100 MiB, --$kind" 1 "out of memory" "$work/good.${kind/sheet/pdf}" "$work/good.${kind/sheet/pdf}" -- \
            prlimit --as=$((100 << 20)) "$render" --scene 8 --size 3840x2160 --"$kind" "$work/good.${kind/sheet/pdf}"
    done
    expect "300 MiB, --gif" 1 "out of memory" "$work/good.gif" "$work/good.gif" -- \
        prlimit --as=$((300 << 20)) "$render" --scene 8 --size 3840x2160 --gif "$work/good.gif"
    cp "$work/good.pdf" "$work/limited.pdf"
    expect "300 MiB, --sheet" 0 "" "$work/limited.pdf" - -- \
        prlimit --as=$((300 << 20)) "$render" --scene 8 --size 3840x2160 --sheet "$work/limited.pdf"
    images=$(pdfimages -list "$work/limited.pdf" 2>/dev/null | tail -n +3 | wc -l)
    [ "$images" -eq 12 ] || fail "the worksheet under 300 MiB holds $images frames, not 12"
fi

# Kills while a 4K GIF is written: the old file stays whole (or the new
# one is complete), and the next save clears what the killed ones left.
kills="$work/kills"
mkdir "$kills"
"$render" --scene 0 --size 3840x2160 --gif "$work/complete.gif" || fail "a 4K GIF"
cp "$work/good.gif" "$kills/a.gif"
RANDOM=21
for run in $(seq 20); do
    "$render" --scene 0 --size 3840x2160 --gif "$kills/a.gif" 2>/dev/null &
    pid=$!
    for _ in $(seq 1000); do
        [ "$(temporaries "$kills")" -gt 0 ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.005
    done
    sleep "0.$((RANDOM % 30))"
    kill -s "$([ $((run % 2)) -eq 0 ] && echo KILL || echo TERM)" "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    cmp -s "$kills/a.gif" "$work/good.gif" || cmp -s "$kills/a.gif" "$work/complete.gif" \
        || fail "kill $run left a broken a.gif"
done
left=$(temporaries "$kills")
expect "a save after 20 kills ($left temporaries left)" 0 "" "$kills/b.gif" - -- \
    "$render" --scene 0 --size 96x60 --gif "$kills/b.gif"

# A trace's reader that goes away: a failed write, not a silent death.
"$render" --scene 8 --frames 24 --all --trace 2>"$work/err" | head -c 1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq 1 ] || fail "SIGPIPE: status $status"
grep -qx "kelvora-render: cannot write the trace to standard output" "$work/err" || fail "SIGPIPE: $(cat "$work/err")"

[ "$failures" -eq 0 ] || { echo "saving_test: $failures failures" >&2; exit 1; }
echo "saving_test: every case passed"
