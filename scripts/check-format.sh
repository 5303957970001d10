#!/usr/bin/env bash
# Checks that every tracked .cpp and .h file is formatted as .clang-format says, without
# changing any; lists the files that are not and fails. `make format` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh" clang-format

mapfile -d '' files < <(git ls-files -z '*.cpp' '*.h')
# One run over all the files; each difference is reported as "file:line:column: error: ...".
if report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
    echo "clang-format: ${#files[@]} files formatted"
    exit 0
fi
listed=$(grep -oE '^[^:]+\.(cpp|h):[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sort -u || true)
if [[ -n $listed ]]; then
    echo "not formatted (run make format):" >&2
    sed 's/^/  /' <<<"$listed" >&2
else
    # clang-format failed without naming a file (a bad .clang-format, for one).
    head -5 <<<"$report" >&2
fi
exit 1
