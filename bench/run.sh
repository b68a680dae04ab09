#!/usr/bin/env bash
# The benchmark driver `make bench` runs inside a Wine session: runs every benchmark program, measures
# the product's size, then prints a summary table and every figure as name=value.
#   bench/run.sh BUILD64 BUILD32
set -euo pipefail

build64=$1
build32=$2
wine=${WINELOADER:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
figures=$work/figures

# Details as they come; the name=value lines are kept for the end.
run() {
  local output
  output=$("$wine" "$build64/$1" "${@:2}" | tr -d '\r')
  grep -Ev '^[a-z0-9_]+=' <<<"$output" || true
  echo
  grep -E '^[a-z0-9_]+=' <<<"$output" >>"$figures"
}

# Stripped copies of both programs, for the start-up and memory the debug sections cost.
x86_64-w64-mingw32-strip -o "$build64/bench_ombrix_stripped.exe" "$build64/ombrix.exe"
x86_64-w64-mingw32-strip -o "$build64/bench_floor_stripped.exe" "$build64/bench_floor.exe"

run bench_startup.exe 20
run bench_window_build.exe 30
run bench_pick.exe 41 500
run bench_exit.exe 15

# The product is the 32-bit build; what ships is stripped.
cp "$build32/ombrix.exe" "$work/ombrix.exe"
i686-w64-mingw32-strip "$work/ombrix.exe"
size=$(stat -c %s "$work/ombrix.exe")
echo "size_win32_stripped_bytes=$size.000" >>"$figures"
awk -v s="$size" 'BEGIN { printf "size_win32_stripped_kib=%.3f\n", s / 1024 }' >>"$figures"

awk -F= '
  { v[$1] = $2 }
  function row(what, value, unit, target, met) {
    printf "%-44s %12s %-5s %-14s %s\n", what, value, unit, target, met
  }
  function verdict(ok) { return ok ? "met" : "MISSED" }
  END {
    printf "%-44s %12s %-5s %-14s %s\n", "figure", "value", "unit", "target", "verdict"
    row("start-up ombrix", sprintf("%.1f", v["startup_ms_ombrix"]), "ms", "", "")
    row("start-up floor", sprintf("%.1f", v["startup_ms_floor"]), "ms", "", "")
    row("start-up bare window", sprintf("%.1f", v["startup_ms_bare"]), "ms", "", "")
    row("start-up ombrix / floor", sprintf("%.3f", v["startup_ratio_ombrix_floor"]), "", "<= 1.05",
        verdict(v["startup_ratio_ombrix_floor"] <= 1.05))
    row("start-up ombrix / floor, round by round", sprintf("%.3f", v["startup_ratio_ombrix_floor_median_of_rounds"]),
        "", "", "")
    row("start-up ombrix / bare window", sprintf("%.3f", v["startup_ratio_ombrix_bare"]), "", "(scale)", "")
    row("start-up ombrix / floor, both stripped", sprintf("%.3f", v["startup_ratio_stripped_ombrix_floor"]), "", "", "")
    row("window build in one process ombrix / floor", sprintf("%.3f", v["window_build_ratio_ombrix_floor"]), "", "",
        "")
    row("working set ombrix", sprintf("%.0f", v["memory_working_set_kib_ombrix"]), "KiB", "", "")
    row("working set floor", sprintf("%.0f", v["memory_working_set_kib_floor"]), "KiB", "", "")
    row("working set ombrix - floor", sprintf("%.0f", v["memory_working_set_kib_ombrix_minus_floor"]), "KiB",
        "<= 512", verdict(v["memory_working_set_kib_ombrix_minus_floor"] <= 512))
    row("working set ombrix - floor, both stripped",
        sprintf("%.0f", v["memory_working_set_kib_stripped_ombrix_minus_floor"]), "KiB", "", "")
    row("PrivateUsage ombrix (Wine reports 0)", sprintf("%.0f", v["memory_private_usage_kib_ombrix"]), "KiB", "", "")
    row("private commit ombrix - floor", sprintf("%.0f", v["memory_private_commit_kib_ombrix_minus_floor"]), "KiB",
        "", "")
    row("stripped win32 ombrix.exe", sprintf("%.1f", v["size_win32_stripped_kib"]), "KiB", "<= 160",
        verdict(v["size_win32_stripped_kib"] <= 160))
    row("pick step", sprintf("%.0f", v["pick_step_ns"]), "ns", "", "")
    row("pick raw lookups", sprintf("%.0f", v["pick_raw_ns"]), "ns", "", "")
    row("pick step / raw lookups", sprintf("%.3f", v["pick_ratio"]), "", "<= 1.2", verdict(v["pick_ratio"] <= 1.2))
    row("exit restore-all, 100 rows", sprintf("%.2f", v["exit_restore_ms_100"]), "ms", "", "")
    row("exit restore-all, 1000 rows", sprintf("%.2f", v["exit_restore_ms_1000"]), "ms", "", "")
    row("exit growth 1000 / 100 (box included)", sprintf("%.2f", v["exit_ratio_restore_1000_100"]), "", "linear: 10", "")
    row("exit growth 1000 / 100 (rows only)", sprintf("%.2f", v["exit_ratio_rows_only_1000_100"]), "", "linear: 10",
        "")
    row("exit rows / bare ShowWindowAsync loop", sprintf("%.3f", v["exit_ratio_rows_only_to_bare_loop_1000"]), "",
        "", "")
  }' "$figures"
echo
cat "$figures"
