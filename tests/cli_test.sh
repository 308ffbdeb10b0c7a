#!/usr/bin/env bash
# The command-line front end from outside: its output, its options and its exit codes.
set -u
bin=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0
fail=0
check() {  # name, expected output, expected exit code, command...
  local name=$1 want=$2 want_code=$3
  shift 3
  local got code
  got=$("$@" 2>"$tmp/err")
  code=$?
  if [[ "$got" == "$want" && $code -eq $want_code ]]; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1))
    printf 'FAIL %s\n  want (%s) %q\n  got  (%s) %q\n  stderr %s\n' "$name" "$want_code" "$want" \
      "$code" "$got" "$(cat "$tmp/err")"
  fi
}

check "two texts" $'   def\n   Xef' 0 "$bin" abcdef abcXef
check "no colour when told" $'   def\n   Xef' 0 env NO_COLOR=1 "$bin" --color --no-color abcdef abcXef
check "colour on request" $'abc\e[31mdef\e[0m\nabc\e[38;2;0;136;255mXef\e[0m' 0 "$bin" --color abcdef abcXef
check "empty texts" "" 0 "$bin" "" ""
check "texts that begin with a dash" $'-x\n-y' 0 "$bin" -- -x -y

printf 'ab\xd6\xd0cdef' >"$tmp/a"
printf 'abXcdef' >"$tmp/b"
check "files, bytes as they are" $'ab\xd6\xd0\nabX' 0 "$bin" --files "$tmp/a" "$tmp/b"
check "missing file" "" 2 "$bin" --files "$tmp/a" "$tmp/missing"
grep -q "$tmp/missing" "$tmp/err" || { fail=$((fail + 1)); echo "FAIL missing file is not named"; }
printf 'a\0b' >"$tmp/nul"
check "file with a NUL byte" "" 2 "$bin" --files "$tmp/nul" "$tmp/b"
check "one text only" "" 2 "$bin" abc
check "unknown option" "" 2 "$bin" --frobnicate a b
"$bin" --help | grep -q '^usage: dorvane-diff' && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL --help"; }

# Without texts: the two sample texts of the window, which differ only in some digits.
samples=$("$bin")
[[ $(printf '%s\n' "$samples" | wc -l) -eq 2 && "$samples" =~ ^[\ 0-9]+$'\n'[\ 0-9]+$ ]] &&
  pass=$((pass + 1)) || { fail=$((fail + 1)); printf 'FAIL samples: %q\n' "$samples"; }

# A long file pair: compared whole, the overlay of a 200000-byte text ends with its last byte.
head -c 200000 /dev/zero | tr '\0' 'q' >"$tmp/long1"
{ head -c 199999 /dev/zero | tr '\0' 'q'; printf 'Z'; } >"$tmp/long2"
out=$("$bin" --files "$tmp/long1" "$tmp/long2" | tail -n1)
[[ ${#out} -eq 200000 && ${out: -1} == Z ]] && pass=$((pass + 1)) ||
  { fail=$((fail + 1)); echo "FAIL long files: ${#out} bytes"; }

echo "$pass passed, $fail failed"
[[ $fail -eq 0 ]]
