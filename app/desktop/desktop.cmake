# Installation of the program and its desktop integration: the executables,
# the launcher entry, the software centre's description, the application
# icon, the MIME type of test files and the manual pages.
#
# Expects the executable target `kaleidocircle` to exist already.

include(GNUInstallDirs)

install(TARGETS kaleidocircle kaleidocircle-export RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Named after the AppStream id, which software centres match it by.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kaleidocircle.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME org.example.Kaleidocircle.desktop)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kaleidocircle.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.Kaleidocircle.metainfo.xml)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kaleidocircle.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kaleidocircle.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/kaleidocircle-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME kaleidocircle.xml)

# The manual pages, compressed as Debian keeps them; kaleidocircle-export's
# page is the same page.
set(KC_MAN_PAGES)
foreach(kc_man IN ITEMS kaleidocircle kaleidocircle-export)
    set(kc_man_out ${CMAKE_BINARY_DIR}/app/${kc_man}.1.gz)
    add_custom_command(
        OUTPUT ${kc_man_out}
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${CMAKE_CURRENT_LIST_DIR}/${kc_man}.1 ${kc_man_out}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${kc_man}.1
        VERBATIM)
    list(APPEND KC_MAN_PAGES ${kc_man_out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${KC_MAN_PAGES})
install(FILES ${KC_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
unset(kc_man)
unset(kc_man_out)
