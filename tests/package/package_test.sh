#!/bin/sh
# Builds the Debian package from this build tree into a temporary folder and
# checks what it holds, what it depends on, and that both programs print the
# package's version (kelvora with no display at all).
#   package_test.sh CPACK BUILD_DIR KELVORA KELVORA_RENDER
set -eu
cpack=$1 build=$2 kelvora=$3 render=$4
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

if ! (cd "$build" && "$cpack" -G DEB -B "$out") >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log" >&2
    exit 1
fi
version=$(dpkg-deb -f "$out"/kelvora_*.deb Version)
deb="$out/kelvora_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb"

# Mode and path of every file that must be there.
dpkg-deb -c "$deb" | awk '{ print $1, $6 }' >"$out/contents"
for entry in \
    "-rwxr-xr-x ./usr/bin/kelvora" \
    "-rwxr-xr-x ./usr/bin/kelvora-render" \
    "-rw-r--r-- ./usr/share/applications/kelvora.desktop" \
    "-rw-r--r-- ./usr/share/icons/hicolor/256x256/apps/kelvora.png" \
    "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/kelvora.svg" \
    "-rw-r--r-- ./usr/share/man/man1/kelvora.1.gz" \
    "-rw-r--r-- ./usr/share/man/man1/kelvora-render.1.gz" \
    "-rw-r--r-- ./usr/share/doc/kelvora/copyright" \
    "-rw-r--r-- ./usr/share/doc/kelvora/README.ja.md" \
    "-rw-r--r-- ./usr/share/doc/kelvora/README.md"; do
    grep -qxF -- "$entry" "$out/contents" || fail "missing: $entry"
done

# The files are what they claim to be.
dpkg-deb -x "$deb" "$out/root"
for program in kelvora kelvora-render; do
    gzip -dc "$out/root/usr/share/man/man1/$program.1.gz" | sed 's/\\-/-/g' >"$out/$program.1"
    grep -q "^\.TH $(echo "$program" | tr a-z A-Z) 1 " "$out/$program.1" && grep -q "^$program - " "$out/$program.1" \
        || fail "$program.1.gz is not the compressed section-1 page of $program"
    file -b "$out/root/usr/bin/$program" | grep -q 'ELF .*, stripped' || fail "$program is not a stripped program"
done
grep -qx 'Exec=kelvora' "$out/root/usr/share/applications/kelvora.desktop" || fail "desktop entry does not start kelvora"
desktop_check=$(desktop-file-validate "$out/root/usr/share/applications/kelvora.desktop" 2>&1) \
    || fail "desktop-file-validate failed"
[ -z "$desktop_check" ] || fail "desktop-file-validate: $desktop_check"
# Every picture the installed guides show is installed beside them.
for guide in README.ja.md README.md; do
    for picture in $(grep -o '](docs/[^)]*)' "$out/root/usr/share/doc/kelvora/$guide" | sed 's/^](//; s/)$//'); do
        [ -f "$out/root/usr/share/doc/kelvora/$picture" ] || fail "$guide shows $picture, which is not installed"
    done
done
head -n 1 "$out/root/usr/share/doc/kelvora/copyright" | grep -q '^Format: .*copyright-format/1.0/' \
    || fail "copyright is not in the machine-readable format"

# Libraries from the binaries, and the Japanese font.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libgif7 fonts-ipafont-gothic; do
    echo ", $depends," | grep -Eq ", $package( \([^)]*\))?," || fail "Depends lacks $package: $depends"
done

# Both programs name the package's version; kelvora needs no display for it.
for program in "$kelvora" "$render"; do
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)
    [ "$shown" = "$(basename "$program") $version" ] || fail "$program --version says '$shown', the package is $version"
done

# Started by name with no display, kelvora suggests a command that exists
# on an installed system.
hint=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$(dirname "$kelvora"):$PATH" kelvora 2>&1) && fail "kelvora ran without a display"
echo "$hint" | grep -q 'try: xvfb-run kelvora$' || fail "kelvora without a display says: $hint"

[ "$failed" -eq 0 ] && echo "package $version: contents, Depends and --version checked"
exit "$failed"
