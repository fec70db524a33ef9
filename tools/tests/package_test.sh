#!/usr/bin/env bash
# Package test: makes the ZIP, unpacks it into a fresh folder, checks its files and that
# nothing in it needs a DLL beyond the system's, then starts each program in its folder
# under Wine on its sample and checks that its window comes up (one Wine start each).
#
#   package_test.sh BUILD_DIR CPACK OBJDUMP PACKAGE_PROBE CONF
#
# CONF lines: "package|FILE NAME|VERSION", "file|PATH", "program|NAME|WINDOW|ARGS".
set -u
build=$1
cpack=$2
objdump=$3
probe=$4
conf=$5
runner=$(cd "$(dirname "$0")/.." && pwd)/wine-run
failures=0
passes=0
check() {  # name expected actual
  if [ "$2" = "$3" ]; then
    echo "ok   $1"
    passes=$((passes + 1))
  else
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}

# What a bare Windows has; anything else would have to travel with the programs.
system_dlls="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll
advapi32.dll winmm.dll msvcrt.dll ole32.dll oleaut32.dll version.dll shlwapi.dll"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
IFS='|' read -r _ package version < <(grep '^package|' "$conf")

# Packed away from the build's own package folder, so a user's package is never touched.
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  check "cpack makes the package" 0 1
  exit 1
fi
check "the package is $package.zip" "$package.zip" "$(cd "$work/cpack" && ls ./*.zip | xargs -n1 basename)"
mkdir "$work/fresh"
(cd "$work/fresh" && unzip -q "$work/cpack/$package.zip")
root=$work/fresh/$package

while IFS='|' read -r kind path; do
  [ "$kind" = file ] || continue
  check "the package holds $path" yes "$([ -f "$root/$path" ] && echo yes)"
done <"$conf"

check "README.txt has Windows line ends" "$(wc -l <"$root/README.txt")" \
  "$(grep -c $'\r$' "$root/README.txt")"

while IFS= read -r -d '' binary; do
  foreign=$("$objdump" -p "$binary" | awk '/DLL Name:/ { print tolower($3) }' |
    grep -vxF -f <(tr -s ' \n' '\n' <<<"$system_dlls") | tr '\n' ' ')
  check "${binary#"$root"/} needs no DLL beyond the system's" "" "$foreign"
done < <(find "$root" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)

while IFS='|' read -r kind name window arguments; do
  [ "$kind" = program ] || continue
  # shellcheck disable=SC2086 # the sample's arguments, one word each
  output=$(WINE_RUN_CWD=$root WINE_RUN_TIMEOUT=90 "$runner" "$probe" "$window" 40 "$name" \
    "$name.exe" $arguments </dev/null)
  status=$?
  output=$(tr -d '\r' <<<"$output")
  sed "s/^/  $name: /" <<<"$output"
  check "$name comes up in the unpacked folder on its sample" 0 "$status"
  check "$name says it is version $version of the toolkit" yes \
    "$(grep -q "^version: Audio Toolkit|$version|" <<<"$output" && echo yes)"
done <"$conf"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
