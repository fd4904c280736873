#!/usr/bin/env bash
# Makes a search engine for a site folder and prints the path of its search
# page. Without a folder it uses the sample site shipped in data/sample-site.
# The site is copied into the output folder first, so the folder given is
# never changed.
#
#   ./run.sh [--out FOLDER] [--template NAME] [SITE_FOLDER]
#
# The output folder (default build/demo) is replaced when it holds an earlier
# output of this script; any other existing, non-empty folder is refused.
set -euo pipefail
cd "$(dirname "$0")"

usage() { sed -n '2,11s/^# \{0,1\}//p' "$0"; exit "${1:-0}"; }
build=${QUILLMARK_BUILD_DIR:-build}
out=""
template=()
site=data/sample-site
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=${2:?--out needs a folder}; shift 2 ;;
    --template) template=(--template "${2:?--template needs a name}"); shift 2 ;;
    -h|--help) usage ;;
    -*) echo "run.sh: unknown option $1" >&2; usage 2 ;;
    *) site=$1; shift ;;
  esac
done
out=${out:-$build/demo}
[ -d "$site" ] || { echo "run.sh: no such folder: $site" >&2; exit 1; }

if [ ! -d "$build" ]; then
  ./test.sh -R '^$' >/dev/null   # installs what is missing, configures and builds
fi
cmake --build "$build" --target quillmark-cli >/dev/null
cli="$build/bin/quillmark-cli"

marker=.quillmark-demo
if [ -e "$out" ] && [ -n "$(ls -A "$out" 2>/dev/null)" ] && [ ! -e "$out/$marker" ]; then
  echo "run.sh: $out exists and is not an earlier output of run.sh; choose another --out" >&2
  exit 1
fi
rm -rf "$out"
mkdir -p "$out"
cp -a "$site/." "$out/"
touch "$out/$marker"
out=$(cd "$out" && pwd)

database=$("$cli" new "$out" "${template[@]}")
"$cli" add "$database" "$out"

for page in qmk.html search.html index.html; do
  if [ -f "$out/$page" ]; then
    echo "$out/$page"
    exit 0
  fi
done
echo "$out/"
