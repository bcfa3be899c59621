#!/bin/sh
# Compiles sources as Windows code would be: C++20, UNICODE, syntax only,
# against the cross compiler's own Windows headers. The repository root is
# on the include path for the engine's own headers; the layer's are not.
# A header is checked on its own, included by an empty file.
#
# usage: check_windows_code.sh <root> <file or folder>...
# Folders that do not exist are skipped, so that engine folders are checked
# from the moment they appear. Prints the compiler's messages of every file
# that does not compile and fails; prints nothing when all compile.
set -u
compiler=${WINDOWS_CXX:-x86_64-w64-mingw32-g++}
if ! command -v "$compiler" >/dev/null 2>&1; then
    echo "$compiler not found: scripts/setup installs g++-mingw-w64-x86-64" >&2
    exit 2
fi
root=$1
shift

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for place in "$@"; do
    [ -e "$place" ] && find "$place" -type f \( -name '*.cpp' -o -name '*.h' \)
done | sort >"$work/files"
if [ ! -s "$work/files" ]; then
    echo "no sources to check in: $*" >&2
    exit 2
fi

# One compiler per file, as many at once as there are processors; each
# failure leaves its messages in a file of its own.
export COMPILER="$compiler" ROOT="$root" WORK="$work"
tr '\n' '\0' <"$work/files" | xargs -0 -P "$(nproc)" -n 1 sh -c '
    file=$1
    case $file in
        *.h) set -- -x c++ -include "$file" /dev/null ;;
        *) set -- "$file" ;;
    esac
    if ! "$COMPILER" -std=c++20 -fsyntax-only -DUNICODE -D_UNICODE -I"$ROOT" "$@" \
            >"$WORK/out.$$" 2>&1; then
        { echo "FAILED: $file"; cat "$WORK/out.$$"; } >"$WORK/failed.$$"
    fi
    rm -f "$WORK/out.$$"
' check

checked=$(wc -l <"$work/files")
failed=$(find "$work" -name 'failed.*' | wc -l)
if [ "$failed" -ne 0 ]; then
    cat "$work"/failed.*
    echo "$failed of $checked files do not compile as Windows code"
    exit 1
fi
