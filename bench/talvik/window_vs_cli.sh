#!/usr/bin/env bash
# Analyze of one 16-bit track: in the window under Wine against talvik-split
# --analyze-only natively, on the same track (page cache warm, best of REPS each).
#
#   bench/talvik/window_vs_cli.sh NATIVE_BUILD WINDOWS_BUILD [MIB] [REPS]
#
# NATIVE_BUILD holds bench/talvik/talvik_bench and talvik/cli/talvik-split,
# WINDOWS_BUILD talvik/windows/talvik_window_bench.exe. The track (256 MiB unless
# MIB) is written under /tmp/talvik-wbench and removed at the end.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
mib=${3:-256}
reps=${4:-3}
dir=/tmp/talvik-wbench
trap 'rm -rf "$dir"' EXIT
rm -rf "$dir"
mkdir -p "$dir"
"$native/bench/talvik/talvik_bench" --mib "$mib" --format 16 --dir "$dir" --generate-only 1 >/dev/null
src=$dir/talvik-bench-16
cat "$src/track01.RAW" >/dev/null  # into the page cache

best=
for _ in $(seq "$reps"); do
  start=$(date +%s.%N)
  "$native/talvik/cli/talvik-split" --analyze-only --load 16 --source "$src/" >/dev/null
  end=$(date +%s.%N)
  t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
  best=$(awk -v t="$t" -v b="${best:-1e30}" 'BEGIN { print (t < b ? t : b) }')
done
printf 'talvik-split --analyze-only (native, whole process): best of %d %.3f s\n' "$reps" "$best"

wine_src="Z:$(echo "$src" | tr / '\\')\\"
line=$(WINE_RUN_CWD=$dir WINE_RUN_TIMEOUT=600 "$top/tools/wine-run" \
  "$windows/talvik/windows/talvik_window_bench.exe" "$wine_src" "$reps" | tr -d '\r')
echo "$line"
window=$(echo "$line" | sed -n 's/.*best of [0-9]* \([0-9.]*\) s.*/\1/p')
awk -v w="$window" -v n="$best" 'BEGIN { printf "window / native: %.2f\n", w / n }'
