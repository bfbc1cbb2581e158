#!/usr/bin/env bash
# Checks that every source, test, tool and bench file is laid out as
# .clang-format says; names the files that are not and exits non-zero.
# `clang-format -i FILE` puts one right.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
find src tests tools bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z \
  | xargs -0 clang-format --style=file --dry-run --Werror
