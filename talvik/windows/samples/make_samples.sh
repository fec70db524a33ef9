#!/bin/sh
# Writes the splitter's demonstration set into DIR: track01.RAW (8-bit, five decaying
# tones between quiet stretches), track02.RAW (the same tones as 16-bit samples) and a
# tvk.prf whose directories point at DIR as Wine sees it (drive Z:).
#   make_samples.sh DIR
set -eu
# Bytes, not characters: some awks print %c above 127 as UTF-8 otherwise.
export LC_ALL=C
dir=$1
mkdir -p "$dir"
# The tones; no sample byte is zero, so any awk can print them.
awk -v bits=8 -v out="$dir/track01.RAW" -f - <<'AWK'
function put(v,   b) {
  if (bits == 8) {
    b = v < 0 ? v + 256 : v; if (b == 0) b = 1
    printf "%c", b > out
  } else {
    v = int(v * 256); b = v < 0 ? v + 65536 : v
    lo = b % 256; if (lo == 0) lo = 1
    hi = int(b / 256); if (hi == 0) hi = 1
    printf "%c%c", lo, hi > out
  }
}
function quiet(n,   i) { for (i = 0; i < n; i++) put((i % 4) - 2 + (i % 4 == 2)) }
function tone(n, period,   i, a) {
  for (i = 0; i < n; i++) {
    a = 110 * exp(-3 * i / n)
    put(int(a * sin(6.2831853 * i / period)))
  }
}
BEGIN {
  quiet(3000); tone(6000, 23); quiet(4000); tone(9000, 41); quiet(3500)
  tone(2500, 13); quiet(5000); tone(12000, 67); quiet(3000); tone(700, 9); quiet(4000)
}
AWK
awk -v bits=16 -v out="$dir/track02.RAW" -f - <<'AWK'
function put(v,   b, lo, hi) {
  v = int(v * 256); b = v < 0 ? v + 65536 : v
  lo = b % 256; if (lo == 0) lo = 1
  hi = int(b / 256); if (hi == 0) hi = 1
  printf "%c%c", lo, hi > out
}
function quiet(n,   i) { for (i = 0; i < n; i++) put(((i % 4) - 2) / 2) }
function tone(n, period,   i, a) {
  for (i = 0; i < n; i++) {
    a = 110 * exp(-3 * i / n)
    put(a * sin(6.2831853 * i / period))
  }
}
BEGIN { quiet(3000); tone(8000, 31); quiet(4000); tone(5000, 17); quiet(4000) }
AWK

# tvk.prf: twelve fields of a length byte and 40 characters, then zeros to 34440 bytes.
wine_dir="Z:$(cd "$dir" && pwd | tr / '\\')"
field() {
  printf "\\$(printf %03o ${#1})"
  printf '%-40.40s' "$1"
}
{
  field "$wine_dir"
  field "$wine_dir"
  field "$wine_dir\\"
  field "$wine_dir\\"
  field TRACK
  field RAW
  field SAMPLE
  field 1
  field 1
  field 5
  field 2000
  field 1000
  head -c 33948 /dev/zero
} >"$dir/tvk.prf"
