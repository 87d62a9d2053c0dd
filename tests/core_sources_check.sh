#!/bin/sh
# Keeps src/canvas, src/scenes and src/probe a core without Qt: every .cpp
# there compiles with the C++ standard library alone, and no file there
# includes a header from outside its own layer (canvas/ includes only
# canvas/; scenes/ includes scenes/ and canvas/; probe/ those and itself)
# or any library header (a standard header is a bare lower-case name such
# as <cstdint>).
#   core_sources_check.sh CXX SOURCE_DIR
set -u
cxx=$1
src=$2
status=0

check_includes() {  # FILE ALLOWED_FOLDERS_REGEX
    bad=$(grep -nE '^[[:space:]]*#[[:space:]]*include' "$1" \
        | grep -vE "include[[:space:]]*\"($2)/[a-z0-9_]+\.h\"" \
        | grep -vE 'include[[:space:]]*<[a-z0-9_]+>')
    if [ -n "$bad" ]; then
        echo "$1: includes outside the standard library and $2:" >&2
        echo "$bad" >&2
        status=1
    fi
}

for file in "$src"/canvas/*.h "$src"/canvas/*.cpp; do
    check_includes "$file" 'canvas'
done
for file in "$src"/scenes/*.h "$src"/scenes/*.cpp; do
    check_includes "$file" 'canvas|scenes'
done
for file in "$src"/probe/*.h "$src"/probe/*.cpp; do
    check_includes "$file" 'canvas|scenes|probe'
done
for file in "$src"/canvas/*.cpp "$src"/scenes/*.cpp "$src"/probe/*.cpp; do
    if ! "$cxx" -std=c++20 -fsyntax-only -I "$src" "$file"; then
        echo "$file: does not compile with the standard library alone" >&2
        status=1
    fi
done
exit $status
