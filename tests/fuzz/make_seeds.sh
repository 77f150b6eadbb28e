#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the small seed inputs of every fuzz target into tests/fuzz/seeds/TARGET (committed;
# run again after a format change): the smallest configuration (built by the skin tool) and
# the demo's, the test manifests, an archive, bitmaps made by ImageMagick, Ogg, MP3 and FLAC
# made by oggenc, lame and flac from 0.2 s of a buzz, the smallest XM module, documents
# and window masks. Each decoder seed starts with the byte that chooses its track kind.
# Usage: tests/fuzz/make_seeds.sh TARNEL_SKIN DEMO_SKIN (both as the release build makes them)
set -euo pipefail
tool=$(realpath "$1")
demo=$(realpath "$2")
cd "$(dirname "$0")"
seeds=$PWD/seeds
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$seeds"
mkdir -p "$seeds"/fuzz_{config_walker,skin_load,manifest,archive_lookup,decode_bmp,decoders,stream_decode,text_wrap,region}

(cd ../data && "$tool" build smallest_skin.toml -o "$work/smallest" >/dev/null)
for target in fuzz_config_walker fuzz_skin_load; do
  cp "$work/smallest/tarnel.cfg" "$seeds/$target/smallest.cfg"
  cp "$demo/tarnel.cfg" "$seeds/$target/demo.cfg"
done
cp ../data/smallest_skin.toml ../e2e/skin_play.toml "$seeds/fuzz_manifest/"
# A float where an integer belongs, beyond the integer range (once undefined behaviour).
printf '[root]\ntitle = "A"\nwidth = 2e80\nheight = 410\n' > "$seeds/fuzz_manifest/float_width.toml"

# The lookup target: a name length byte, the name, then the archive image.
mkdir -p "$work/files/Data"
printf 'mask' > "$work/files/Data/panel.rgn"
printf 'text' > "$work/files/t"
"$tool" pack "$work/files" "$work/small.dat" >/dev/null
{ printf '\x0e'; printf 'Data\\panel.rgn'; cat "$work/small.dat"; } > "$seeds/fuzz_archive_lookup/panel.bin"

convert -size 5x3 xc:red -fill blue -draw 'point 1,1' "bmp3:$seeds/fuzz_decode_bmp/rgb24.bmp"
convert -size 5x3 xc:red -fill blue -draw 'point 1,1' -type palette "bmp3:$seeds/fuzz_decode_bmp/palette8.bmp"
convert -size 9x3 xc:red -fill blue -draw 'point 1,1' -type palette -compress RLE "bmp3:$seeds/fuzz_decode_bmp/rle8.bmp"

# Track kinds: 0 module, 1 stream (the first byte, modulo the number of kinds).
head -c 8820 < <(yes) > "$work/buzz.raw" # "y\n" over and over: 0.2 s of 16-bit mono at 22,050 Hz
oggenc --quiet -r -B 16 -C 1 -R 22050 -q 0 -o "$work/buzz.ogg" "$work/buzz.raw"
lame --quiet -r -s 22.05 --bitwidth 16 -m m -b 32 "$work/buzz.raw" "$work/buzz.mp3"
{ printf '\x01'; cat "$work/buzz.ogg"; } > "$seeds/fuzz_decoders/buzz.ogg.bin"
{ printf '\x01'; cat "$work/buzz.mp3"; } > "$seeds/fuzz_decoders/buzz.mp3.bin"
# The stream target: a first byte 0 puts no signature in front of the file.
flac --silent --force-raw-format --endian=little --sign=signed --channels=1 --bps=16 --sample-rate=22050 \
  -o "$work/buzz.flac" "$work/buzz.raw"
for kind in ogg mp3 flac; do { printf '\x00'; cat "$work/buzz.$kind"; } > "$seeds/fuzz_stream_decode/buzz.$kind.bin"; done
le16() { printf "\\x%02x\\x%02x" $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
text() { printf '%s' "$1"; head -c $(($2 - ${#1})) /dev/zero; } # $1 padded with zeros to $2 bytes
{ # the smallest XM: two channels, one pattern of four empty rows, one instrument without samples
  printf '\x00Extended Module: '; text seed 20; printf '\x1a'; text make_seeds 20
  printf "$(le16 0x0104)$(le32 276)$(le16 1)$(le16 0)$(le16 2)$(le16 1)$(le16 1)$(le16 1)$(le16 6)$(le16 125)"
  head -c 256 /dev/zero
  printf "$(le32 9)\\x00$(le16 4)$(le16 8)"; printf '\x80%.0s' 1 2 3 4 5 6 7 8
  printf "$(le32 29)"; text instrument 22; printf "\\x00$(le16 0)"
} > "$seeds/fuzz_decoders/empty.xm.bin"

cp ../../demo/texts/*.txt "$seeds/fuzz_text_wrap/"
printf 'a word\r\nthat is longer than twenty-eight letters\n\n' > "$seeds/fuzz_text_wrap/edges.txt"

{ printf '\x08\x04'; printf '\x00\x01\x01\x00\x00\x00\x01\x00%.0s' 1 2 3 4; } > "$seeds/fuzz_region/small.bin"
{ printf '\xff\xff'; head -c 600 /dev/zero; } > "$seeds/fuzz_region/short.bin"
