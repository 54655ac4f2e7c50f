# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

# The game for Windows as one zip, runeshot-VERSION-windows-x86_64.zip in the build folder:
#   cmake --build <build dir> --target windows-zip
# Qt's prefix is also where the toolchain keeps SDL and the licences (build-toolchain).
get_filename_component(windows_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
add_custom_target(windows-zip
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack-zip ${CMAKE_BINARY_DIR} ${windows_prefix}
          ${PROJECT_VERSION} ${PROJECT_SOURCE_DIR}
  DEPENDS runeshot runeshot_sounds
  COMMENT "Packing the game for Windows"
  VERBATIM)

# The per-user installer beside it, runeshot-VERSION-windows-x86_64-setup.exe, made from the
# same files with Debian's makensis, and the winget manifests for it in winget/VERSION:
#   cmake --build <build dir> --target windows-setup
# The program's icon is the one app/ draws for its resources.
set(windows_setup ${CMAKE_BINARY_DIR}/runeshot-${PROJECT_VERSION}-windows-x86_64-setup.exe)
add_custom_target(windows-setup
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack-setup
          ${CMAKE_BINARY_DIR}/zip/runeshot-${PROJECT_VERSION}-windows-x86_64
          ${PROJECT_VERSION} ${CMAKE_BINARY_DIR}/app/runeshot.ico ${windows_setup}
  COMMAND ${CMAKE_COMMAND} -DSETUP=${windows_setup} -DVERSION=${PROJECT_VERSION}
          -DCHANGELOG=${PROJECT_SOURCE_DIR}/debian/changelog -DOUTPUT=${CMAKE_BINARY_DIR}/winget
          -P ${PROJECT_SOURCE_DIR}/packaging/winget/manifests.cmake
  COMMENT "Building the Windows installer and its winget manifests"
  VERBATIM)
add_dependencies(windows-setup windows-zip)
