#!/usr/bin/env bash
# Checks that every C++ source follows .clang-format; prints the places that
# do not and fails. Fix them with: clang-format -i <file>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root" || exit 1
clang_format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find runtime stopwatch about splash tests tools -name '*.cpp' -o -name '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "no sources found"; exit 1
fi
"$clang_format" --dry-run --Werror "${files[@]}"
status=$?
[ $status -eq 0 ] && echo "${#files[@]} sources follow .clang-format"
exit $status
