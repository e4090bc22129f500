# Installing the program as a desktop program: the two executables in bin/, the
# data files recorded by DataFiles.cmake under share/quillane/, a desktop entry,
# the icon in the hicolor theme and the man pages; and a Debian package of the
# same tree made by CPack (`make package`).
#
# bin/ and share/ are fixed, not taken from GNUInstallDirs: FindDataFile looks
# for the data in ../share/quillane relative to the executable, so the two must
# stay siblings for an installed or moved copy to find its help page.
# Include this file before quillane_data_target(): it records data files too.

set(QUILLANE_DATA_DIR share/quillane)
set(QUILLANE_DOC_DIR share/doc/quillane)
set(QUILLANE_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

quillane_data_copy(${CMAKE_SOURCE_DIR}/resources/help/index.htm help/index.htm)

# The icon, drawn by a small program of ours at the sizes desktops ask for; the
# largest is also a data file, for the window and the tray to use.
add_executable(quillane-icon ${QUILLANE_PACKAGING}/MakeIcon.cpp)
target_link_libraries(quillane-icon PRIVATE Qt6::Gui)
set(icon_args 256 ${CMAKE_BINARY_DIR}/quillane.png)
set(icon_outputs ${CMAKE_BINARY_DIR}/quillane.png)
foreach(size 48 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/quillane.png)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND icon_args ${size} ${icon})
  list(APPEND icon_outputs ${icon})
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
# A sanitizer build would otherwise fail here on the leaks Qt leaves at exit.
add_custom_command(OUTPUT ${icon_outputs}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:quillane-icon> ${icon_args}
  DEPENDS quillane-icon
  COMMENT "Drawing the icon")
quillane_data_generated(quillane.png)

# Man pages and the Debian documents, compressed without a time stamp so that
# two builds give the same bytes. Each is made from its .in file with the version
# project() names (the newest changelog entry carries @PROJECT_VERSION@; at a
# release it gets the number written in and a new entry starts above it).
set(compressed)
foreach(doc quillane.1 quillane-cli.1 changelog)
  set(out ${CMAKE_BINARY_DIR}/packaging/${doc})
  configure_file(${QUILLANE_PACKAGING}/${doc}.in ${CMAKE_BINARY_DIR}/packaging/in/${doc} @ONLY)
  add_custom_command(OUTPUT ${out}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/packaging/in/${doc} ${out}
    COMMAND gzip -9nf ${out}
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/in/${doc}
    COMMENT "Compressing ${doc}")
  list(APPEND compressed ${out}.gz)
endforeach()
add_custom_target(quillane_docs ALL DEPENDS ${compressed})

install(TARGETS quillane quillane-cli RUNTIME DESTINATION bin)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quillane.1.gz
              ${CMAKE_BINARY_DIR}/packaging/quillane-cli.1.gz
        DESTINATION share/man/man1)
install(FILES ${QUILLANE_PACKAGING}/quillane.desktop DESTINATION share/applications)
install(FILES ${QUILLANE_PACKAGING}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${QUILLANE_DOC_DIR})

# Every recorded data file, at the same relative path under share/quillane.
# Deferred to the end of the configuration, so that files recorded after this
# file was included (the sound cues, for one) are installed as well.
# The list is also written to data-files.txt for the install test to check.
function(quillane_install_data)
  get_property(names GLOBAL PROPERTY QUILLANE_DATA_FILES)
  list(JOIN names "\n" lines)
  file(WRITE ${CMAKE_BINARY_DIR}/data-files.txt "${lines}\n")
  foreach(name IN LISTS names)
    get_filename_component(folder ${name} DIRECTORY)
    install(FILES ${CMAKE_BINARY_DIR}/${name} DESTINATION ${QUILLANE_DATA_DIR}/${folder})
  endforeach()
endfunction()
cmake_language(DEFER CALL quillane_install_data)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillane developers")
set(CPACK_PACKAGE_CONTACT "Quillane developers <dev@quillane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader that shows Japanese text as pictures")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillane wraps a Japanese text (Shift-JIS, UTF-8, UTF-16, EUC-JP or
ISO-2022-JP; plain, HTML, or zipped as Aozora Bunko packs it) into columns
under the Japanese line-break rules and draws it one 640 x 480 page at a time, in vertical or
horizontal writing, with fades between pages and a few abstract animations.
Pages can be saved as BMP or JPEG pictures, also joined to the Exif block of
camera photos so that cameras and phones play them back.
A command-line tool, quillane-cli, runs the same layout and exports without a
window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps; what is loaded at run time without
# being linked is named here: the X11 platform plugin and the faces the pages
# and the window are drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, fonts-ipafont-mincho, fonts-ipafont-gothic, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
include(CPack)
