#!/usr/bin/env bash
# Non-blank, non-comment lines of C++ in tests/ against src/ and tools/.
# Usage: scripts/count_lines.sh [-v]   (-v lists the test folders too)
set -euo pipefail
cd "$(dirname "$0")/.."

# Strips // and /* */ comments (not inside string literals) and blank lines.
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \) -print0 2>/dev/null |
    xargs -0 -r cat |
    awk '
      BEGIN { inblock = 0; n = 0 }
      {
        line = $0; out = ""; i = 1; instr = 0
        while (i <= length(line)) {
          c = substr(line, i, 1); two = substr(line, i, 2)
          if (inblock) { if (two == "*/") { inblock = 0; i += 2 } else i++; continue }
          if (instr) { out = out c; if (c == "\\") { out = out substr(line, i + 1, 1); i += 2; continue }
                       if (c == "\"") instr = 0; i++; continue }
          if (c == "\"") { instr = 1; out = out c; i++; continue }
          if (two == "//") break
          if (two == "/*") { inblock = 1; i += 2; continue }
          out = out c; i++
        }
        if (out ~ /[^ \t\r]/) n++
      }
      END { print n }'
}

tests=$(count tests)
code=$(count src tools)
printf 'test lines: %d\ncode lines: %d (src + tools)\nratio:      %d%%\n' "$tests" "$code" $((100 * tests / code))
if [ "${1:-}" = "-v" ]; then
  for d in tests/*/ tests/core/*/; do
    [ -d "$d" ] && printf '  %-28s %6d\n' "$d" "$(count "$d")"
  done
fi
