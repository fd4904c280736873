#!/usr/bin/env bash
# Peer comparison: indexes two HTML manuals, Debian's PostgreSQL 15 manual
# (postgresql-doc-15) and Python 3.11 manual (python3.11-doc), with
# quillmark-cli (new + add) and with Pagefind (pagefind --site), in alternating
# runs, and prints the median wall time and peak memory of each and their
# ratios. Installs what it needs: the two Debian packages and GNU time, and
# npm's pagefind into bench/.peers/ (not in git).
#
#   bench/compare_pagefind.sh [RUNS]        RUNS per tool and corpus, default 5
#
# QUILLMARK_BUILD_DIR names the build folder (default build/). Each run indexes
# a fresh copy of the corpus; copying is not timed. Quillmark indexes the same
# files as Pagefind: its project settings (a copy of the default set.xml) list
# only the html extension, so the manuals' plain-text sources are left out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
build=${QUILLMARK_BUILD_DIR:-build}
case "$build" in /*) ;; *) build=$repo/$build ;; esac
runs=${1:-5}
peers=$here/.peers
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmark-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
missing=()
for package in postgresql-doc-15 python3.11-doc time; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing ${missing[*]}" >&2
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "${missing[@]}" >&2
fi
if [ ! -d "$peers/node_modules/pagefind" ]; then
  echo "Installing pagefind into $peers" >&2
  mkdir -p "$peers"
  echo '*' >"$peers/.gitignore"
  npm install --prefix "$peers" --no-audit --no-fund --loglevel=error pagefind >&2
fi
# The native program, not its node launcher, so that node's start-up and
# memory are not counted against it.
pagefind=$(find "$peers/node_modules/@pagefind" -path '*/bin/pagefind' -type f 2>/dev/null | head -1)
[ -n "$pagefind" ] || pagefind=$(find "$peers/node_modules/@pagefind" -path '*/bin/pagefind_extended' -type f | head -1)
[ -x "$pagefind" ] || { echo "compare_pagefind.sh: no pagefind program under $peers" >&2; exit 1; }

[ -d "$build" ] || cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quillmark-cli >/dev/null
cli=$build/bin/quillmark-cli

declare -A corpora=([postgresql-15]=/usr/share/doc/postgresql-doc-15/html
                    [python-3.11]=/usr/share/doc/python3.11/html)

# Runs a command under GNU time; appends "seconds kilobytes" to file $1.
measure() {
  local into=$1; shift
  /usr/bin/time -v -o "$work/time" "$@" >"$work/out" 2>&1 || { cat "$work/out" >&2; exit 1; }
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
              /Maximum resident set size/ { kb = $2 }
              END { print s, kb }' "$work/time" >>"$into"
}

fresh_copy() { rm -rf "$work/site" "$work/pagefind-out"; cp -a "$1" "$work/site"; }

run_quillmark() {
  fresh_copy "$1"
  sed 's|<Extensions value="[^"]*"/>|<Extensions value="html"/>|' "$build/bin/set.xml" >"$work/site/set.xml"
  measure "$work/$2.quillmark" sh -c '"$0" new --quiet "$1" >/dev/null && "$0" add --quiet "$1/searchdb.js" "$1"' \
    "$cli" "$work/site"
  "$cli" list "$work/site/searchdb.js" | wc -l >"$work/$2.quillmark.pages"
}

run_pagefind() {
  fresh_copy "$1"
  measure "$work/$2.pagefind" "$pagefind" --site "$work/site" --output-path "$work/pagefind-out"
  grep -o 'Indexed [0-9,]* page' "$work/out" | tr -dc '0-9' >"$work/$2.pagefind.pages" || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for ((run = 1; run <= runs; run++)); do
  for name in "${!corpora[@]}"; do
    echo "run $run/$runs: $name" >&2
    if ((run % 2)); then
      run_quillmark "${corpora[$name]}" "$name"; run_pagefind "${corpora[$name]}" "$name"
    else
      run_pagefind "${corpora[$name]}" "$name"; run_quillmark "${corpora[$name]}" "$name"
    fi
  done
done

echo
echo "Median of $runs runs ($(nproc) cores; pagefind $("$pagefind" --version | awk '{print $2}'))"
printf '%-15s %-10s %7s %10s %10s\n' corpus tool pages "time (s)" "peak (MB)"
declare -A seconds kilobytes
divide() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", (b > 0) ? a / b : 0 }'; }
for name in "${!corpora[@]}"; do
  for tool in quillmark pagefind; do
    seconds[$tool]=$(cut -d' ' -f1 "$work/$name.$tool" | median)
    kilobytes[$tool]=$(cut -d' ' -f2 "$work/$name.$tool" | median)
    printf '%-15s %-10s %7s %10.2f %10.1f\n' "$name" "$tool" "$(cat "$work/$name.$tool.pages")" \
      "${seconds[$tool]}" "$(divide "${kilobytes[$tool]}" 1024)"
  done
  speed=$(divide "${seconds[pagefind]}" "${seconds[quillmark]}")
  memory=$(divide "${kilobytes[quillmark]}" "${kilobytes[pagefind]}")
  printf '%-15s quillmark is %.1fx faster than pagefind and uses %.2f of its peak memory\n' \
    "$name" "$speed" "$memory"
done
