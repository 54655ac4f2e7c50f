# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

# Installs the game as a desktop application; debian/ packs what these rules install.
# The program and its four sounds share a folder of their own, because the program plays
# its sounds from the folder it lives in; the command in games/ is a link to it, and Qt
# follows the link when the program asks for its folder.
set(RUNESHOT_APP_ID org.runeshot.Runeshot)
set(runeshot_folder ${CMAKE_INSTALL_LIBDIR}/runeshot)
set(packaging_source ${CMAKE_CURRENT_LIST_DIR})
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_build})

# The program links only system libraries, so the installed one needs no search path.
set_property(TARGET runeshot PROPERTY INSTALL_RPATH "")
install(TARGETS runeshot RUNTIME DESTINATION ${runeshot_folder})
get_property(runeshot_sound_files GLOBAL PROPERTY RUNESHOT_SOUND_FILES)
install(FILES ${runeshot_sound_files} DESTINATION ${runeshot_folder})

file(RELATIVE_PATH runeshot_link_target ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/runeshot/runeshot)
file(CREATE_LINK ${runeshot_link_target} ${packaging_build}/runeshot SYMBOLIC)
install(FILES ${packaging_build}/runeshot DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${packaging_source}/${RUNESHOT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_source}/${RUNESHOT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The 32-pixel icon is the window's own; it and the larger sizes desktops ask for are drawn
# by the same generator, and the scalable one redraws it for any other size.
add_executable(icon_png ${packaging_source}/icon_png.cpp)
target_link_libraries(icon_png PRIVATE Qt6::Gui)
set_target_properties(icon_png PROPERTIES AUTOMOC OFF)
set(icon_sizes 32 48 64 128 256)
set(icon_png_files)
set(icon_conversions)
foreach(size ${icon_sizes})
  set(icon_folder ${packaging_build}/icons/${size}x${size})
  file(MAKE_DIRECTORY ${icon_folder})
  list(APPEND icon_png_files ${icon_folder}/${RUNESHOT_APP_ID}.png)
  list(APPEND icon_conversions
       COMMAND icon_png ${packaging_build}/icon-${size}.bmp ${icon_folder}/${RUNESHOT_APP_ID}.png)
  install(FILES ${icon_folder}/${RUNESHOT_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${icon_png_files}
  COMMAND make_images ${packaging_build}/pictures.cpp ${packaging_build} ${icon_sizes}
  ${icon_conversions}
  DEPENDS make_images icon_png
  COMMENT "Drawing the icon for the icon theme"
  VERBATIM)
add_custom_target(runeshot_icon ALL DEPENDS ${icon_png_files})
install(FILES ${packaging_source}/${RUNESHOT_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual page goes compressed, without a time stamp that would make each build differ.
add_custom_command(OUTPUT ${packaging_build}/runeshot.6.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${packaging_source}/runeshot.6 ${packaging_build}
  COMMAND gzip -9nf ${packaging_build}/runeshot.6
  DEPENDS ${packaging_source}/runeshot.6
  VERBATIM)
add_custom_target(runeshot_manual ALL DEPENDS ${packaging_build}/runeshot.6.gz)
install(FILES ${packaging_build}/runeshot.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
