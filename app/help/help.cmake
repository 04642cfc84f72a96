# User guides. The two HTML pages are typeset into PDF documents at build time
# and placed beside the executable, where the Help command opens them; they are
# installed with the documentation, where the installed program finds them.
#
# Expects the executable target `kaleidocircle` (built into
# ${CMAKE_BINARY_DIR}/app) and Qt6::Gui to exist already.

include(GNUInstallDirs)

add_executable(MakeHelpPdf ${CMAKE_CURRENT_LIST_DIR}/MakeHelpPdf.cpp)
target_link_libraries(MakeHelpPdf PRIVATE Qt6::Gui)
if(TARGET kc_rules)
    target_link_libraries(MakeHelpPdf PRIVATE kc_rules)
endif()
set_target_properties(MakeHelpPdf PROPERTIES
    AUTOMOC OFF
    AUTOUIC OFF
    AUTORCC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(KALEIDOCIRCLE_HELP_PDFS)
foreach(kc_help_lang IN ITEMS eng ita)
    set(kc_help_html ${CMAKE_CURRENT_LIST_DIR}/guide-${kc_help_lang}.html)
    set(kc_help_pdf ${CMAKE_BINARY_DIR}/app/Kaleidocircle-${kc_help_lang}.pdf)
    add_custom_command(
        OUTPUT ${kc_help_pdf}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/app
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                $<TARGET_FILE:MakeHelpPdf> ${kc_help_html} ${kc_help_pdf}
        DEPENDS ${kc_help_html} MakeHelpPdf
        COMMENT "Typesetting the user guide Kaleidocircle-${kc_help_lang}.pdf"
        VERBATIM)
    list(APPEND KALEIDOCIRCLE_HELP_PDFS ${kc_help_pdf})
endforeach()
unset(kc_help_lang)
unset(kc_help_html)
unset(kc_help_pdf)

add_custom_target(help_pdfs ALL DEPENDS ${KALEIDOCIRCLE_HELP_PDFS})
add_dependencies(kaleidocircle help_pdfs)

install(FILES ${KALEIDOCIRCLE_HELP_PDFS} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kaleidocircle)
