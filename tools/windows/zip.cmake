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
