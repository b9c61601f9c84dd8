#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (AddressSanitizer,
# UndefinedBehaviorSanitizer, LeakSanitizer) and runs each for SECONDS
# (default 60), one after the other. Prints the executions per target.
# Exits non-zero when a target finds a crash, a leak, a hang (10 s on one
# input), too much memory or a broken round trip; the input that did it is
# left in build/fuzz/findings/TARGET/ and the log in build/fuzz/logs/.
# The corpora grow in build/fuzz/corpus/ from one run to the next; they are
# seeded from examples/ and tests/fuzz/seeds/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
source scripts/deps.sh
morikoyomi_install_deps
morikoyomi_install_fuzz_deps

build=build/fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DMORIKOYOMI_FUZZ=ON -DMORIKOYOMI_TESTS=OFF -DMORIKOYOMI_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_all morikoyomi-cli

# Seeds: the example files each reader is meant for.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{prm,par,hnp,dat,runfile,text,bmp,yield,table,register}
cp examples/*.prm "$seeds/prm/"
cp examples/*.PAR "$seeds/par/"
cp examples/*.HNP "$seeds/hnp/"
cp examples/*.dat "$seeds/dat/"
cp examples/*.run "$seeds/runfile/"
cp examples/*.prm examples/*.PAR examples/*.HNP examples/*.dat "$seeds/text/"
cp tests/fuzz/seeds/bmp/* "$seeds/bmp/"
# Table files as the batch tool writes them now, from the example runs (it
# writes them next to the PAR file, so in a copy of the examples), and a
# few broken by hand.
tables="$build/tables"
rm -rf "$tables"
mkdir -p "$tables"
cp examples/*.prm examples/*.PAR examples/*.HNP examples/*.run "$tables/"
for run in "$tables"/*.run; do
  case "$(basename "$run")" in
    plan_*) command=plan ;;
    volume_*) command=volume ;;
    *) command=yield ;;
  esac
  "$build/src/cli/morikoyomi-cli" "$command" "$run" >/dev/null 2>&1 || true
  for table in "$tables"/YIELD_*.150 "$tables"/YIELD_*.160 "$tables"/YIELD_*.80; do
    [ -e "$table" ] && mv "$table" "$seeds/table/$(basename "$run" .run)_$(basename "$table")"
  done
done
[ -n "$(ls "$seeds/table")" ] || echo "warning: morikoyomi-cli wrote no table from examples/" >&2
# The tables the batch tool's cases expect, and the hand-broken ones.
for table in tests/cli/*_cases/*/expected.150 tests/cli/*_cases/*/expected.160 \
  tests/cli/*_cases/*/expected.80; do
  [ -e "$table" ] && cp "$table" "$seeds/table/$(basename "$(dirname "$table")").${table##*.}"
done
cp tests/fuzz/seeds/table/* "$seeds/table/"
# Registers: the example and a few broken by hand.
cp examples/register.csv tests/fuzz/seeds/register/* "$seeds/register/"
# The end-to-end input: a byte choosing the method and site class, then a
# PRM and a PAR split by a "====" line.
for choice in 0 1 2 3 4 5 10 17; do
  for prm in examples/sugi_type1.prm examples/sugi_type2.prm; do
    {
      printf "\\$(printf '%03o' "$choice")"
      cat "$prm"
      printf '\n====\n'
      cat examples/sugi.PAR
    } >"$seeds/yield/$(basename "$prm" .prm)_$choice"
  done
done

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
summary=()
for target in prm par hnp dat runfile text bmp yield table register; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target/"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  echo "fuzz_$target: ${seconds} s"
  status=0
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings" -print_final_stats=1 "$corpus" "$seeds/$target" >"$log" 2>&1 ||
    status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    summary+=("$(printf '%-8s %12s executions  FINDING: %s (log %s)' "$target" "${execs:-?}" \
      "$(ls -t "$findings" | head -1 | sed "s|^|$findings|")" "$log")")
    tail -40 "$log"
  else
    summary+=("$(printf '%-8s %12s executions  no finding' "$target" "${execs:-?}")")
  fi
done

echo
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]}"
  exit 1
fi
