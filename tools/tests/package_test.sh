#!/usr/bin/env bash
# Package test: makes the ZIP and the installer. Unpacks the ZIP into a fresh folder, checks
# its files, that nothing in it needs a DLL beyond the system's and that every executable
# carries its manifest, then starts each program in its folder under Wine on its sample and
# checks that its window comes up (one Wine start each). Then, in one fresh Wine prefix,
# installs silently, starts each program from its Start-menu entry, makes and changes a set
# file, uninstalls silently and checks that the programs went and the user's data stayed.
#
#   package_test.sh BUILD_DIR CPACK OBJDUMP WINDRES PACKAGE_PROBE CONF
#
# CONF lines: "package|FILE NAME|VERSION", "file|PATH", "program|NAME|WINDOW|ARGS",
# "shortcut|TITLE|NAME|WINDOW".
set -u
build=$1
cpack=$2
objdump=$3
windres=$4
probe=$5
conf=$6
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
check "the installer is $package-setup.exe" "$package-setup.exe" \
  "$(cd "$work/cpack" && echo *.exe)"
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

# The manifest is resource 1 of type 24 (RT_MANIFEST), as Windows looks it up.
supported="35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"
while IFS= read -r -d '' binary; do
  manifest=$("$windres" -i "$binary" -O rc | awk '/^1 24 /, /^END/')
  found=$(grep -c 'level=""asInvoker""' <<<"$manifest")
  for id in $supported; do found="$found $(grep -c "supportedOS Id=\"\"{$id}\"\"" <<<"$manifest")"; done
  check "${binary#"$root"/} runs as the user and names Windows 7, 8, 8.1 and 10/11" "1 1 1 1 1" "$found"
done < <(find "$root" -type f -iname '*.exe' -print0)

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

# The user's data in between: a new set file and a changed sample set, both to be kept.
made='orvane\Mine.OVM;orvane\(Default).OVM'
grep -q '^program|orvane|' "$conf" || made=$(awk -F'|' '/^program\|/ { print $2 "\\Mine.OVM"; exit }' "$conf")
mapfile -t entries < <(awk -F'|' '/^shortcut\|/ { print $2; print $4 }' "$conf")
output=$(WINE_RUN_CWD=$work/cpack WINE_RUN_TIMEOUT=240 "$runner" "$probe" install \
  "$package-setup.exe" 40 "$made" "${entries[@]}" </dev/null | tr -d '\r')
sed "s/^/  install: /" <<<"$output"
check "the installer ends well" "setup: 0" "$(grep '^setup:' <<<"$output")"
registered=$(grep '^registered:' <<<"$output")
check "the installed-programs entry names the version and the user's programs folder" yes \
  "$([[ $registered == "registered: Audio Toolkit|$version|"*'\AppData\Local\Programs\Audio Toolkit' ]] &&
    echo yes)"
while IFS='|' read -r kind title name _; do
  [ "$kind" = shortcut ] || continue
  check "the Start-menu entry $title starts $name in its folder" \
    "shortcut: $title|$name\\$name.exe|$name" "$(grep -F "shortcut: $title|" <<<"$output")"
  check "$title comes up from its Start-menu entry" "started: $title|window up" \
    "$(grep -F "started: $title|" <<<"$output")"
done <"$conf"
check "the uninstaller ends well" "uninstall: 0" "$(grep '^uninstall:' <<<"$output")"
check "the entry and the Start-menu folder are gone" "after: registered no, start menu gone" \
  "$(grep '^after:' <<<"$output")"
check "only the user's data is left" "$(tr ';' '\n' <<<"$made" | sed 's/^/left: /' | sort)" \
  "$(grep '^left:' <<<"$output" | sort)"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
