#!/bin/sh
# Installs the HTML corpus of the indexing benchmarks (Debian's PostgreSQL
# manual, about 1,170 pages, 16 MB) and prints its folder. Without it the
# benchmarks generate a corpus of their own.
set -e
folder=/usr/share/doc/postgresql-doc-15/html
if [ ! -d "$folder" ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get install -y postgresql-doc-15 >&2
  else
    sudo apt-get install -y postgresql-doc-15 >&2
  fi
fi
echo "$folder"
