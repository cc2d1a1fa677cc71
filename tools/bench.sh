#!/usr/bin/env bash
# ./qucap bench: the ComposeFrame benchmarks under Wine (real GDI), ffmpeg's
# ass filter on the same machine, and a summary table of both.
set -euo pipefail
. "$(dirname "$0")/common.sh"

source_dir=$("$QUCAP_ROOT/tools/fetch_debian_source.sh" benchmark)
cmake -S "$QUCAP_ROOT" -B "$QUCAP_WIN_BUILD" -DQUCAP_BENCHMARK_SOURCE="$source_dir" >/dev/null
cmake --build "$QUCAP_WIN_BUILD" -j "$(jobs_count)" --target qucap_bench qucap_ruby_bench qucap_dictionary \
  >"$QUCAP_WIN_BUILD/bench-build.log" 2>&1 ||
  { tail -30 "$QUCAP_WIN_BUILD/bench-build.log" >&2; die "benchmark build failed"; }

out=$QUCAP_BUILD/bench
mkdir -p "$out"
start_wine_env
say "== ComposeFrame under Wine"
wine "$QUCAP_WIN_BUILD/tests/bench/qucap_bench.exe" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_out="$(windows_path "$out/compose.json")" \
  --benchmark_out_format=json
stop_wine_env
say "== ffmpeg's ass filter"
"$QUCAP_ROOT/tools/bench_ass.sh" | tee "$out/ass.txt"
python3 "$QUCAP_ROOT/tools/bench_summary.py" "$out/compose.json" "$out/ass.txt"
say "== Qucapcmd render against ffmpeg"
"$QUCAP_ROOT/tools/bench_render.sh" | tee "$out/render.txt"
say "== the captioned preview"
"$QUCAP_ROOT/tools/bench_preview.sh" | tee "$out/preview.txt"
say "== where a synthesis spends its time"
"$QUCAP_ROOT/tools/bench_stages.sh" | tee "$out/stages.txt"
say "== the timing analyses of a movie"
"$QUCAP_ROOT/tools/bench_analysis.sh" | tee "$out/analysis.txt"
say "== the ruby proposal under Wine (the dictionary beside the programs)"
start_wine_env
wine "$QUCAP_WIN_BUILD/tests/bench/qucap_ruby_bench.exe" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true | tee "$out/ruby.txt"
stop_wine_env
