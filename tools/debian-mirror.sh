# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

# The Debian archive this machine's own apt sources name: the first that serves the
# machine's own release, in the one-line or the deb822 format.
debian_mirror() {
  local codename f
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  {
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$f" |
        awk -v want="$codename" '$1 == "deb" && $3 == want { print $2 }'
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      awk -v want="$codename" '
        BEGIN { RS = ""; FS = "\n" }
        {
          split("", field); key = ""
          for (i = 1; i <= NF; i++) {
            if ($i ~ /^#/) continue
            if (match($i, /^[A-Za-z-]+:/)) {
              key = tolower(substr($i, 1, RLENGTH - 1)); field[key] = substr($i, RLENGTH + 1)
            } else if (key != "") field[key] = field[key] " " $i
          }
          if (tolower(field["enabled"]) ~ /no/) next
          if ((" " field["types"] " ") !~ /[ \t]deb[ \t]/) next
          if ((" " field["suites"] " ") !~ ("[ \t]" want "[ \t]")) next
          n = split(field["uris"], uri, /[ \t]+/)
          for (i = 1; i <= n; i++) if (uri[i] != "") print uri[i]
        }' "$f"
    done
  } | head -n 1
}
