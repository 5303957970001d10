#!/usr/bin/env bash
# Checks that every tracked .cpp and .h file is formatted as .clang-format says, without
# changing any; lists the files that are not and fails. `make format` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh" clang-format

unformatted=()
while IFS= read -r -d '' file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')

if ((${#unformatted[@]} > 0)); then
    echo "not formatted (run make format):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "clang-format: $(git ls-files '*.cpp' '*.h' | wc -l) files formatted"
