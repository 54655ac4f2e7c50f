# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

# Writes the winget manifests of a release of the Windows installer into OUTPUT/VERSION,
# with the installer's SHA-256 and the release date of the version's changelog entry:
#   cmake -DSETUP=...-setup.exe -DVERSION=1.0.0 -DCHANGELOG=debian/changelog
#         -DOUTPUT=DIR -P manifests.cmake
# Only the download address is left to fill in.

# The newest schema winget's community repository accepts; newer ones exist that its
# validation turns down.
set(MANIFEST_VERSION 1.12.0)

file(SHA256 "${SETUP}" SHA256)
string(TOUPPER "${SHA256}" SHA256)
get_filename_component(SETUP_NAME "${SETUP}" NAME)
execute_process(COMMAND dpkg-parsechangelog -l "${CHANGELOG}" -STimestamp
                OUTPUT_VARIABLE timestamp OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
# string(TIMESTAMP) reads the time from SOURCE_DATE_EPOCH when it is set.
set(ENV{SOURCE_DATE_EPOCH} "${timestamp}")
string(TIMESTAMP RELEASE_DATE "%Y-%m-%d" UTC)

file(REMOVE_RECURSE "${OUTPUT}/${VERSION}")
foreach(manifest Runeshot.Runeshot Runeshot.Runeshot.installer Runeshot.Runeshot.locale.en-US)
  configure_file("${CMAKE_CURRENT_LIST_DIR}/${manifest}.yaml.in"
                 "${OUTPUT}/${VERSION}/${manifest}.yaml" @ONLY)
endforeach()
