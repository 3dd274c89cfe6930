#!/usr/bin/env bash
# Runs every benchmark and prints one table: measure, ours, the floor, ratio, target, met?
#
#   bench/run.sh
#
# Builds what it needs with the presets native (build/native) and windows (build/windows),
# makes the Wine prefix of the Windows tree once and runs the Windows programs in one Wine
# session (scripts/with-wine.sh: persistent wineserver, virtual display). Environment:
#   R7716_BENCH_NATIVE_DIR, R7716_BENCH_WIN_DIR  other build trees than the presets' own
#   R7716_BENCH_STARTUP_RUNS (20), R7716_BENCH_INSTALL_RUNS (10), R7716_BENCH_CONSOLE_RUNS (20)
#                                                runs of the Wine timers
# Exit status: 0 when every benchmark ran (whether or not its target is met), 1 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
native=$(realpath -m "${R7716_BENCH_NATIVE_DIR:-build/native}")
win=$(realpath -m "${R7716_BENCH_WIN_DIR:-build/windows}")
startup_runs=${R7716_BENCH_STARTUP_RUNS:-20}
install_runs=${R7716_BENCH_INSTALL_RUNS:-10}
console_runs=${R7716_BENCH_CONSOLE_RUNS:-20}
resources=$src/resources/R7716
payload_files=("$resources/R7716.xif" "$resources/R7716.enu" "$resources/R7716.fpt"
               "$resources/R7716.fmt" "$resources/R7716.typ")

scripts/setup.sh
scripts/setup.sh hyperfine xxd

echo "== build: native in $native, windows in $win"
cmake --preset native -B "$native" >/dev/null
cmake --build "$native" -j2 --target r7716-genheader chooser_bench
cmake --preset windows -B "$win" >/dev/null
cmake --build "$win" -j2 --target R7716Tool r7716-install bench_bare_window bench_startup bench_install \
  bench_console bench_console_floor
scripts/wineprefix.sh "$win/wineprefix"

work=$(mktemp -d "${TMPDIR:-/tmp}/r7716-bench.XXXXXX")
wine_scratch=$win/wineprefix/drive_c/bench
cleanup() { rm -rf "$work" "$wine_scratch"; }
trap cleanup EXIT
# The package of the same r7716-install.exe, as the release makes it.
cmake -P packaging/make-msi.cmake "$win/bin/r7716-install.exe" "$work/R7716Tool.msi" >/dev/null
began=$SECONDS

# hyperfine's median of command N (0-based) in a JSON export, in milliseconds.
median_ms() { python3 -c 'import json,sys; print("%.3f" % (json.load(open(sys.argv[1]))["results"][int(sys.argv[2])]["median"] * 1000))' "$1" "$2"; }
# A value from a "median NAME VALUE ..." line of a Wine timer's output.
timer_value() { tr -d '\r' < "$1" | awk -v name="$2" '$1 == "median" && $2 == name { print $3 }'; }
calc() { awk "BEGIN { printf \"$1\", $2 }"; }

# ---- exe size: the tool against its payload; the bare window as the floor of the overhead
echo "== exe size"
exe_size=$(stat -c %s "$win/bin/R7716Tool.exe")
bare_size=$(stat -c %s "$win/bin/bench_bare_window.exe")
payload=0
for f in "${payload_files[@]}"; do payload=$((payload + $(stat -c %s "$f"))); done
overhead=$((exe_size - payload))
echo "R7716Tool.exe $exe_size bytes, payload $payload bytes, overhead $overhead bytes; bare window $bare_size bytes"

# ---- start-up and installation under Wine, one session
echo "== start-up ($startup_runs runs each, alternating), installation ($install_runs runs) and console installer and package ($console_runs runs each) under Wine"
rm -rf "$wine_scratch"
scripts/with-wine.sh "$win/wineprefix" bash -c '
  wine "$1/bin/bench_startup.exe" "$2" "$1/bin/R7716Tool.exe" "$1/bin/bench_bare_window.exe" >"$4/startup.txt" 2>&1 || echo failed >>"$4/startup.txt"
  wine "$1/bin/bench_install.exe" "$3" "$1/bin/R7716Tool.exe" "C:\\bench" "$5" "$1/bin/bench_bare_window.exe" >"$4/install.txt" 2>&1 || echo failed >>"$4/install.txt"
  wine "$1/bin/bench_console.exe" "$6" "$1/bin/r7716-install.exe" "$1/bin/bench_console_floor.exe" "C:\\bench\\console" "$5" "$4/R7716Tool.msi" >"$4/console.txt" 2>&1 || echo failed >>"$4/console.txt"
' bench "$win" "$startup_runs" "$install_runs" "$work" "$resources" "$console_runs"
for timer in startup install console; do
  if grep -q '^failed' "$work/$timer.txt"; then
    echo "bench: the $timer timer failed:"; tr -d '\r' < "$work/$timer.txt"; exit 1
  fi
done
tr -d '\r' < "$work/startup.txt" | grep '^median'
tr -d '\r' < "$work/install.txt" | grep -oE '(run +[0-9]+ click|median).*'
start_tool=$(timer_value "$work/startup.txt" tool)
start_bare=$(timer_value "$work/startup.txt" bare)
install_tool=$(timer_value "$work/install.txt" install_less_pause)
install_copyfile=$(timer_value "$work/install.txt" copyfile)
install_winexec=$(timer_value "$work/install.txt" winexec)
install_bare_box=$(timer_value "$work/install.txt" bare_box)
tr -d '\r' < "$work/console.txt" | grep '^median'
console_ours=$(timer_value "$work/console.txt" console)
console_floor=$(timer_value "$work/console.txt" floor)
console_msi=$(timer_value "$work/console.txt" msi)
# The Wine floors as sums of the medians of their parts, so the table adds up.
install_copy_start=$(calc '%.3f' "$install_copyfile + $install_winexec")
install_wine_floor=$(calc '%.3f' "$install_copy_start + $install_bare_box")

# The floor of the installation: cp of the same five files into a fresh folder, on the Linux
# side of the same machine in the same run (a Wine cmd "copy" would mostly time Wine's own
# process start, which the tool's figure does not contain).
echo "== cp of the five files into a fresh folder ($install_runs runs)"
hyperfine -N --style basic --runs "$install_runs" \
  --prepare "bash -c 'rm -rf $work/cp-target && mkdir $work/cp-target'" \
  --export-json "$work/cp.json" "cp ${payload_files[*]} $work/cp-target/" >/dev/null
for f in "${payload_files[@]}"; do cmp -s "$f" "$work/cp-target/$(basename "$f")" || { echo "bench: cp did not copy $f"; exit 1; }; done
install_cp=$(median_ms "$work/cp.json" 0)
echo "cp median $install_cp ms"

# ---- header generation: r7716-genheader against xxd -i on the same five files
echo "== header generation (hyperfine, 50 runs of each command)"
# xxd -i takes one file at a time: its figure is the sum of the five files' medians.
mkdir -p "$work/gen"
xxd_commands=()
for f in "${payload_files[@]}"; do xxd_commands+=("xxd -i $(basename "$f") $work/gen/$(basename "$f").h"); done
(cd "$resources" && hyperfine -N --style basic --warmup 3 --runs 50 --export-json "$work/gen.json" \
  "$native/bin/r7716-genheader -o $work/gen/R7716.h $resources/R7716.xif" "${xxd_commands[@]}" >/dev/null)
[ "$(grep -c '^int [a-z]*len = ' "$work/gen/R7716.h")" = 5 ] || { echo "bench: r7716-genheader wrote no full header"; exit 1; }
gen_ours=$(median_ms "$work/gen.json" 0)
gen_xxd=0
for k in 1 2 3 4 5; do gen_xxd=$(calc '%.3f' "$gen_xxd + $(median_ms "$work/gen.json" $k)"); done
echo "r7716-genheader median $gen_ours ms, xxd -i median $gen_xxd ms"

# ---- compile time of the generated header: payload_data.c (which includes R7716.h) against
# a C file of the same bytes as xxd -i arrays, with the build's flags for each compiler
echo "== compile time of the payload (hyperfine, 10 runs each)"
cp "$src/src/payload/payload_data.c" "$work/gen/"
cat "$work"/gen/R7716.*.h > "$work/gen/xxd_all.h"
echo '#include "xxd_all.h"' > "$work/gen/xxd_payload.c"
gcc_flags="-std=c11 -O2 -g -DNDEBUG -funsigned-char"
mingw_flags="-std=c11 -Os -DNDEBUG -funsigned-char -ffunction-sections -fdata-sections"
(cd "$work/gen" && hyperfine -N --style basic --warmup 1 --runs 10 --export-json "$work/cc.json" \
  "gcc $gcc_flags -c payload_data.c -o a.o" "gcc $gcc_flags -c xxd_payload.c -o b.o" \
  "x86_64-w64-mingw32-gcc-win32 $mingw_flags -c payload_data.c -o c.o" \
  "x86_64-w64-mingw32-gcc-win32 $mingw_flags -c xxd_payload.c -o d.o" >/dev/null)
cc_gcc=$(median_ms "$work/cc.json" 0); cc_gcc_xxd=$(median_ms "$work/cc.json" 1)
cc_mingw=$(median_ms "$work/cc.json" 2); cc_mingw_xxd=$(median_ms "$work/cc.json" 3)

# ---- the folder chooser: directory list rebuild against the bare enumeration
echo "== chooser_bench (3 repetitions)"
"$native/bin/chooser_bench" --benchmark_repetitions=3 >"$work/chooser.txt" 2>&1
chooser_rows=$(awk 'NF == 4 && $1 ~ /^[0-9]+$/ && $4 ~ /^[0-9.]+$/' "$work/chooser.txt")
[ -n "$chooser_rows" ] || { echo "bench: chooser_bench printed no ratios"; cat "$work/chooser.txt"; exit 1; }

# ---- the table
met() { awk "BEGIN { print ($1) ? \"yes\" : \"**no**\" }"; }
row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }
echo
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(. /etc/os-release && echo "$PRETTY_NAME"), $(wine --version 2>/dev/null), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
row "measure" "ours" "floor" "ratio" "target" "met?"
row "---" "---:" "---:" "---:" "---" "---"
row "Exe size overhead (exe $exe_size B − payload $payload B)" "$(calc '%.1f KB' "$overhead / 1024")" \
    "$(calc '%.1f KB' "$bare_size / 1024") (bare window exe)" "$(calc '%.2fx' "$overhead / $bare_size")" \
    "info" "–"
row "Start-up, launch to window shown (median of $startup_runs)" "$(calc '%.1f ms' "$start_tool")" \
    "$(calc '%.1f ms' "$start_bare") (bare window)" "$(calc '%.2fx' "$start_tool / $start_bare")" "≤ 1.2x" \
    "$(met "$start_tool <= 1.2 * $start_bare")"
row "Installation, click to success box − 300 ms (median of $install_runs)" "$(calc '%.1f ms' "$install_tool")" \
    "$(calc '%.2f ms' "$install_cp") (cp, Linux)" "$(calc '%.1fx' "$install_tool / $install_cp")" "≤ 2x" \
    "$(met "$install_tool <= 2 * $install_cp")"
row "  same, against CopyFileA under Wine" "$(calc '%.1f ms' "$install_tool")" \
    "$(calc '%.2f ms' "$install_copyfile") (CopyFileA)" "$(calc '%.1fx' "$install_tool / $install_copyfile")" "info" "–"
row "  same, against CopyFileA + WinExec of a .cmd under Wine" "$(calc '%.1f ms' "$install_tool")" \
    "$(calc '%.2f ms' "$install_copy_start") ($(calc '%.2f' "$install_copyfile") + $(calc '%.2f' "$install_winexec"))" \
    "$(calc '%.2fx' "$install_tool / $install_copy_start")" "info" "–"
row "  same, against the above + a click answered by a box (bare window)" "$(calc '%.1f ms' "$install_tool")" \
    "$(calc '%.2f ms' "$install_wine_floor") (+ $(calc '%.2f' "$install_bare_box"))" \
    "$(calc '%.2fx' "$install_tool / $install_wine_floor")" "info" "–"
row "Unattended installation, whole run of r7716-install.exe (median of $console_runs)" \
    "$(calc '%.1f ms' "$console_ours")" \
    "$(calc '%.1f ms' "$console_floor") (folders, CopyFileA, .cmd started and awaited)" \
    "$(calc '%.2fx' "$console_ours / $console_floor")" "≤ 1.3x" "$(met "$console_ours <= 1.3 * $console_floor")"
row "Package installation, whole msiexec /i of the .msi (median of $console_runs)" "$(calc '%.1f ms' "$console_msi")" \
    "$(calc '%.1f ms' "$console_ours") (whole r7716-install.exe run)" "$(calc '%.2fx' "$console_msi / $console_ours")" \
    "info" "–"
row "Header generation, 5 files (median of 50)" "$(calc '%.2f ms' "$gen_ours")" \
    "$(calc '%.2f ms' "$gen_xxd") (xxd -i)" "$(calc '%.2fx' "$gen_ours / $gen_xxd")" "≤ 1x" \
    "$(met "$gen_ours <= $gen_xxd")"
row "Compile payload_data.c + R7716.h, gcc -c (median of 10)" "$(calc '%.0f ms' "$cc_gcc")" \
    "$(calc '%.0f ms' "$cc_gcc_xxd") (xxd -i arrays)" "$(calc '%.2fx' "$cc_gcc / $cc_gcc_xxd")" "info" "–"
row "Compile payload_data.c + R7716.h, mingw gcc -c (median of 10)" "$(calc '%.0f ms' "$cc_mingw")" \
    "$(calc '%.0f ms' "$cc_mingw_xxd") (xxd -i arrays)" "$(calc '%.2fx' "$cc_mingw / $cc_mingw_xxd")" "info" "–"
while read -r n enumerate rebuild ratio; do
  row "Directory list rebuild, $n subfolders (mean of 3)" "$(calc '%.2f ms' "$rebuild")" \
      "$(calc '%.2f ms' "$enumerate") (enumeration)" "$(calc '%.2fx' "$ratio")" "≤ 2x" "$(met "$ratio <= 2")"
done <<< "$chooser_rows"
echo
echo "Benchmarks took $((SECONDS - began)) s (builds not counted)."
