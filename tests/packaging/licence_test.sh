#!/bin/sh
# SPDX-License-Identifier: MIT
# Every source, build and script file says which licence it is under, in
# its first lines, so a file copied out of the tree still carries it.
# usage: licence_test.sh SOURCE_DIR
set -eu
source_dir=${1:?usage: licence_test.sh SOURCE_DIR}
missing=$(
  cd "$source_dir" &&
    find . -type d \( -name .git -o -name 'build*' -o -name corpus -o -name __pycache__ \) -prune -o -type f \
      \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' -o -name '*.supp' -o -name '*.inc' -o -name '*.1' \
      -o -name CMakeLists.txt -o -name '*.cmake' -o -name Makefile -o -path ./.ci/run \
      -o -name '*.rc' -o -name '*.manifest' -o -name '*.nsi' \) -print |
    while read -r file; do
      head -n 3 "$file" | grep -q 'SPDX-License-Identifier: MIT' || echo "$file"
    done
)
if [ -n "$missing" ]; then
  echo "files without an SPDX-License-Identifier line near the top:" >&2
  echo "$missing" >&2
  exit 1
fi
echo "every source, build and script file names its licence"
