#!/bin/sh
# add-deb-src-entries.sh LIST_BASE
# Adds a deb-src entry for every deb entry of this machine's apt sources, with the same URIs,
# suites, components and options, so that `apt-get source` reaches the archive (mirror, proxy)
# that the machine already uses. Writes LIST_BASE.sources for the entries of *.sources files and
# LIST_BASE.list for the one-line entries of *.list files, each only when it has an entry.
# Run as root.
set -eu
base=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# deb822 stanzas: copy each stanza whose Types name deb, with Types: deb-src.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && [ "$f" != "$base.sources" ] || continue
  awk '
    function flush() { if (stanza != "" && isdeb) printf "%s\n", stanza; stanza = ""; isdeb = 0 }
    /^[ \t]*$/ { flush(); next }
    /^#/ { next }
    tolower($1) == "types:" {
      for (i = 2; i <= NF; i++) if ($i == "deb") isdeb = 1
      stanza = stanza "Types: deb-src\n"; next
    }
    { stanza = stanza $0 "\n" }
    END { flush() }
  ' "$f" >>"$work/sources"
done

# One-line entries: "deb [options] URI SUITE COMPONENT..." becomes "deb-src ...".
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] && [ "$f" != "$base.list" ] || continue
  sed -n 's/^[ \t]*deb[ \t]/deb-src /p' "$f" >>"$work/list"
done

wrote=
for kind in sources list; do
  if [ -s "$work/$kind" ]; then
    cp "$work/$kind" "$base.$kind"
    chmod 644 "$base.$kind"
    wrote="$wrote $base.$kind"
  fi
done
if [ -z "$wrote" ]; then
  echo "add-deb-src-entries.sh: apt has no deb entry to derive a deb-src entry from" >&2
  exit 1
fi
echo "Added deb-src entries for this machine's apt sources:$wrote"
