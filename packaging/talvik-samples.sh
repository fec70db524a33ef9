#!/bin/sh
# Makes the splitter's sample set for the package: the demo's tracks and settings file,
# with the four directories in tvk.prf turned into the program's own folder ("." and
# ".\"), because the package may be unpacked anywhere while the demo's file names the
# folder it was written in.
#   talvik-samples.sh MAKE_SAMPLES DIR
set -eu
export LC_ALL=C
make_samples=$1
dir=$2
sh "$make_samples" "$dir"
# A field is a length byte and 40 characters; the four directories come first.
field() {
  printf "\\$(printf %03o ${#1})"
  printf '%-40.40s' "$1"
}
{
  field .
  field .
  field '.\'
  field '.\'
  tail -c +$((4 * 41 + 1)) "$dir/tvk.prf"
} >"$dir/tvk.prf.new"
mv "$dir/tvk.prf.new" "$dir/tvk.prf"
