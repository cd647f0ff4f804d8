#!/usr/bin/env bash
# The game alone, on a machine without GoogleTest and Google Benchmark: it
# builds and plays, and asking for the tests stops the configure with the
# package to install.
#   tests/bare_build_check.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
bare=${1:-build/bare}
rm -rf "$bare"
hidden=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
cmake --preset default -B "$bare" "${hidden[@]}" >/dev/null
cmake --build "$bare" --target match3
printf 'n\n' | "$bare/match3" | grep -a -q 'Thanks for playing'
if cmake --preset default -B "$bare" "${hidden[@]}" -DMATCH3_BUILD_TESTS=ON >"$bare/tests.log" 2>&1 ||
   ! grep -q 'libgtest-dev' "$bare/tests.log"; then
  echo "asking for the tests without GoogleTest must fail and name the package"
  cat "$bare/tests.log"
  exit 1
fi
echo "the game builds and plays without them; the tests ask for libgtest-dev"
