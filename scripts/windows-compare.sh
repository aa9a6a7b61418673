#!/usr/bin/env bash
# Runs compress, expand, seal and open with the Linux build's pluvexa-cli
# and with pluvexa-cli.exe under Wine and compares what a caller sees: the
# exit status, the output file's bytes and both streams' words. Allowed to
# differ: the system's reasons ("System error <n>." where Windows gives no
# text), "\" separators, the drive letter and CRLF line ends. The Windows
# side is given drive-letter paths (Z:\...). Sealed files cross both ways.
# Usage: windows-compare.sh LINUX_CLI WINDOWS_CLI_EXE
set -euo pipefail
linux="$1"
windows="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
keys="$root/keys/demo"
data="$root/tests/data/cli"
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=C.UTF-8
unset DISPLAY
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
cases=0

# A Linux path as Wine's drive Z: names it.
z() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# Words as compared: CR gone, separators as "/", no drive letter, the
# system's own reason (after a quoted path's ". ") replaced by <reason>.
norm() {
  tr -d '\r' | sed -E -e 's#\\#/#g' -e 's#Z:/#/#g' -e 's#(". )[^"]*$#\1<reason>#'
}

# run NAME EXPECTED_STATUS ARGS...: {D} is the case's folder, the rest as given.
run() {
  local name="$1" expected="$2"
  shift 2
  cases=$((cases + 1))
  local l="$work/$name/linux" w="$work/$name/windows"
  mkdir -p "$l" "$w"
  local la=() wa=()
  for a in "$@"; do
    la+=("${a//\{D\}/$l}")
    if [[ "$a" == *"{D}"* ]]; then wa+=("$(z "${a//\{D\}/$w}")"); else wa+=("$a"); fi
  done
  local ls=0 ws=0
  (cd "$l" && "$linux" "${la[@]}" >"$work/$name/l.out" 2>"$work/$name/l.err") || ls=$?
  (cd "$w" && wine "$windows" "${wa[@]}" >"$work/$name/w.out" 2>"$work/$name/w.err") || ws=$?
  local problem=""
  [ "$ls" = "$expected" ] || problem+=" linux status $ls (expected $expected);"
  [ "$ws" = "$expected" ] || problem+=" windows status $ws (expected $expected);"
  for stream in out err; do
    if ! diff <(sed "s#$l#{D}#g" "$work/$name/l.$stream" | norm) \
              <(sed "s#$(z "$w" | sed 's#\\#\\\\#g')#{D}#g" "$work/$name/w.$stream" | norm) >/dev/null; then
      problem+=" std$stream differs;"
    fi
  done
  for f in "$l"/* "$w"/*; do
    [ -e "$f" ] || continue
    local other="${f/$l/$w}"
    [ "$f" = "$other" ] && other="${f/$w/$l}"
    cmp -s "$f" "$other" || [[ "$f" == *sealed* ]] || problem+=" $(basename "$f") differs;"
  done
  if [ -n "$problem" ]; then
    failures=$((failures + 1))
    echo "DIFFERENT $name:$problem" >&2
    head -c 600 "$work/$name/l.err" "$work/$name/w.err" >&2 || true
  else
    echo "same      $name (status $expected)"
  fi
}

seal_keys=(--signer "$keys/own.private" --recipient "$keys/central.public")
open_keys=(--key "$keys/central.private" --sender "$keys/own.public")
run compress 0 compress "$data/recebido.txt" "{D}/out"
run expand 0 expand "$data/recebido.lzw" "{D}/out"
run expand_not_lzw 1 expand "$data/recebido.txt" "{D}/out"
run compress_missing_input 1 compress "{D}/missing" "{D}/out"
run compress_into_missing_folder 1 compress "$data/recebido.txt" "{D}/no/out"
run compress_onto_folder 1 compress "$data/recebido.txt" "{D}"
run open_sealed_on_linux 0 open "${open_keys[@]}" "$data/selado-no-linux.bin" "{D}/out"
run open_wrong_sender 1 open --key "$keys/central.private" --sender "$keys/central.public" \
  "$data/selado-no-linux.bin" "{D}/out"
for i in 0 1 4294967295 4294967296 -1 x; do
  status=2
  case "$i" in 0) status=0 ;; 1|4294967295) status=1 ;; esac
  run "open_index_$i" "$status" open "${open_keys[@]}" --index "$i" "$data/selado-no-linux.bin" "{D}/out"
done
run seal_short_key 1 seal --signer "$data/recebido.lzw" --recipient "$keys/central.public" "$data/recebido.lzw" "{D}/s"
run seal_usage 2 seal "$data/recebido.lzw" "{D}/s"
run compress_usage 2 compress "{D}/a"
run unknown_option 2 open --bogus a b
for c in compress expand seal open; do run "help_$c" 0 "$c" --help; done

# Sealed by each build (a fresh content key each time), opened by the other.
cases=$((cases + 1))
"$linux" seal "${seal_keys[@]}" "$data/recebido.lzw" "$work/by-linux.bin" >/dev/null
wine "$windows" seal "${seal_keys[@]}" "$data/recebido.lzw" "$(z "$work/by-windows.bin")" >/dev/null
"$linux" open "${open_keys[@]}" "$work/by-windows.bin" "$work/from-windows" >/dev/null
wine "$windows" open "${open_keys[@]}" "$(z "$work/by-linux.bin")" "$(z "$work/from-linux")" >/dev/null
if cmp -s "$work/from-windows" "$data/recebido.lzw" && cmp -s "$work/from-linux" "$data/recebido.lzw"; then
  echo "same      sealed files cross both ways"
else
  failures=$((failures + 1))
  echo "DIFFERENT sealed files do not cross" >&2
fi

# A command only the full program holds: said plainly, exit 1.
cases=$((cases + 1))
ks=0
wine "$windows" keygen a b >/dev/null 2>"$work/keygen.err" || ks=$?
if [ "$ks" = 1 ] && [ "$(tr -d '\r' <"$work/keygen.err")" = \
     "pluvexa-cli: keygen needs pluvexa-cli-full, which this build does not include" ]; then
  echo "said      keygen needs pluvexa-cli-full (status 1)"
else
  failures=$((failures + 1))
  echo "DIFFERENT keygen: status $ks, $(cat "$work/keygen.err")" >&2
fi

echo "$cases cases, $failures different"
[ "$failures" -eq 0 ]
