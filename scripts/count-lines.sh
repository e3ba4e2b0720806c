#!/bin/sh
# Counts non-blank, non-comment lines of C++, Python and shell that git tracks:
# the tests (tests/, the tools' tests, *_test.cpp) against all of the code.
cd "$(dirname "$0")/.." || exit 1

count() {
  # C++ drops // lines and /* */ blocks; Python and shell drop # lines (keeping #!/#include).
  awk '
    FNR == 1 { block = 0; cpp = (FILENAME ~ /\.(cpp|h)$/) }
    {
      line = $0
      gsub(/^[ \t]+|[ \t]+$/, "", line)
      if (cpp && block) { if (line ~ /\*\//) block = 0; next }
      if (line == "") next
      if (cpp && line ~ /^\/\//) next
      if (cpp && line ~ /^\/\*/) { if (line !~ /\*\//) block = 1; next }
      if (!cpp && line ~ /^#/ && line !~ /^#!/) next
      n++
    }
    END { print n + 0 }' "$@" /dev/null
}

all=$(git ls-files '*.cpp' '*.h' '*.py' '*.sh')
tests=$(printf '%s\n' $all | grep -E '^tests/|/tests/|_test\.cpp$')
t=$(count $tests)
a=$(count $all)
echo "tests $t of $a lines = $((100 * t / a)) %"
