#!/usr/bin/env bash
# Writes tests/fixtures/charsets/<name>.txt: for each byte 0x80..0xFF of a
# single-byte character set, the byte and the code point glibc's iconv decodes
# it to ("-" where iconv refuses the byte). An independent reference for the
# built-in tables.
set -euo pipefail
cd "$(dirname "$0")/.."
out=tests/fixtures/charsets
mkdir -p "$out"
for name in ISO-8859-2 ISO-8859-3 ISO-8859-4 ISO-8859-5 ISO-8859-6 ISO-8859-7 ISO-8859-8 \
            ISO-8859-9 ISO-8859-15 WINDOWS-1250 WINDOWS-1251 WINDOWS-1252 WINDOWS-1253 \
            WINDOWS-1254 WINDOWS-1255 WINDOWS-1256 WINDOWS-1257 WINDOWS-1258 KOI8-R; do
  file="$out/$(echo "$name" | tr 'A-Z' 'a-z').txt"
  echo "# $name decoded by glibc iconv: byte code-point" > "$file"
  for b in $(seq 128 255); do
    hex=$(printf '%02X' "$b")
    cp=$(printf "\\x$hex" | iconv -f "$name" -t UTF-32BE 2>/dev/null | od -An -tx1 | tr -d ' \n' || true)
    if [ -z "$cp" ]; then echo "$hex -" >> "$file"; else printf '%s %04X\n' "$hex" "$((16#$cp))" >> "$file"; fi
  done
done
