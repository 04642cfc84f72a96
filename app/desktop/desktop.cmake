# Installation of the program and its desktop integration: the executable, the
# launcher entry, the application icon and the MIME type of test files.
#
# Expects the executable target `kaleidocircle` to exist already.

include(GNUInstallDirs)

install(TARGETS kaleidocircle kaleidocircle-export RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/kaleidocircle.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kaleidocircle.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kaleidocircle.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/kaleidocircle-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME kaleidocircle.xml)
