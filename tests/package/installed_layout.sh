# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

# The files an installation holds, relative to its prefix, in `find -printf '%y %P'` form;
# one definition for the installed tree and the .deb, which adds what Debian asks of every
# package: its copyright, its changelog and lintian's overrides.
installed_layout() {
  cat <<'LIST'
d games
l games/runeshot -> ../lib/runeshot/runeshot
d lib
d lib/runeshot
f lib/runeshot/boing.wav
f lib/runeshot/runeshot
f lib/runeshot/shooted.wav
f lib/runeshot/theend.wav
f lib/runeshot/wrong.wav
d share
d share/applications
f share/applications/org.runeshot.Runeshot.desktop
d share/icons
d share/icons/hicolor
d share/icons/hicolor/128x128
d share/icons/hicolor/128x128/apps
f share/icons/hicolor/128x128/apps/org.runeshot.Runeshot.png
d share/icons/hicolor/256x256
d share/icons/hicolor/256x256/apps
f share/icons/hicolor/256x256/apps/org.runeshot.Runeshot.png
d share/icons/hicolor/32x32
d share/icons/hicolor/32x32/apps
f share/icons/hicolor/32x32/apps/org.runeshot.Runeshot.png
d share/icons/hicolor/48x48
d share/icons/hicolor/48x48/apps
f share/icons/hicolor/48x48/apps/org.runeshot.Runeshot.png
d share/icons/hicolor/64x64
d share/icons/hicolor/64x64/apps
f share/icons/hicolor/64x64/apps/org.runeshot.Runeshot.png
d share/icons/hicolor/scalable
d share/icons/hicolor/scalable/apps
f share/icons/hicolor/scalable/apps/org.runeshot.Runeshot.svg
d share/man
d share/man/man6
f share/man/man6/runeshot.6.gz
d share/metainfo
f share/metainfo/org.runeshot.Runeshot.metainfo.xml
LIST
}

layout_of() {
  (cd "$1" && find . -mindepth 1 \( -type l -printf '%y %P -> %l\n' \) -o -printf '%y %P\n')
}

# Prints what differs between the expected layout, with the lines of $2 added, and the tree
# at $1; true when nothing.
same_layout() {
  diff <({ installed_layout; printf '%s' "${2:-}"; } | LC_ALL=C sort -k2,2) \
       <(layout_of "$1" | LC_ALL=C sort -k2,2)
}
