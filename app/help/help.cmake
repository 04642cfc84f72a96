# User guides. The two HTML pages are typeset into PDF documents at build time
# and placed beside the executable, where the Help command opens them; they are
# installed with the documentation, where the installed program finds them.
#
# The guides show pictures of the pages, made at every build from the real
# pages by MakeHelpShots, so that no picture shows a page as it once was; they
# are built into the program beside the guides (":/help/shots") and typeset
# into the PDF documents.
#
# Expects the executable target `kaleidocircle` (built into
# ${CMAKE_BINARY_DIR}/app), the library `kcapp` and Qt6::Gui to exist already.

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

add_executable(MakeHelpShots ${CMAKE_CURRENT_LIST_DIR}/MakeHelpShots.cpp)
target_link_libraries(MakeHelpShots PRIVATE kcapp)
set_target_properties(MakeHelpShots PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# The guides name their pictures shots/PAGE-LANGUAGE.png.
set(KC_HELP_PICTURES ${CMAKE_BINARY_DIR}/help-pictures)
set(KC_HELP_SHOTS)
foreach(kc_page IN ITEMS questions subjects answers bar target sociogram metrics)
    foreach(kc_help_lang IN ITEMS eng ita)
        list(APPEND KC_HELP_SHOTS ${KC_HELP_PICTURES}/shots/${kc_page}-${kc_help_lang}.png)
    endforeach()
endforeach()
add_custom_command(
    OUTPUT ${KC_HELP_SHOTS}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:MakeHelpShots> ${KC_HELP_PICTURES}/shots
    DEPENDS MakeHelpShots
    COMMENT "Taking the pictures of the pages for the user guide"
    VERBATIM)
add_custom_target(help_shots DEPENDS ${KC_HELP_SHOTS})

# Builds the pictures into a program that shows the guide.
function(kc_add_help_shots target)
    qt_add_resources(${target} "help_shots_${target}" PREFIX /help BASE ${KC_HELP_PICTURES} FILES ${KC_HELP_SHOTS})
    add_dependencies(${target} help_shots)
endfunction()
kc_add_help_shots(kaleidocircle)

set(KALEIDOCIRCLE_HELP_PDFS)
foreach(kc_help_lang IN ITEMS eng ita)
    set(kc_help_html ${CMAKE_CURRENT_LIST_DIR}/guide-${kc_help_lang}.html)
    set(kc_help_pdf ${CMAKE_BINARY_DIR}/app/Kaleidocircle-${kc_help_lang}.pdf)
    add_custom_command(
        OUTPUT ${kc_help_pdf}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/app
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                $<TARGET_FILE:MakeHelpPdf> ${kc_help_html} ${kc_help_pdf} ${KC_HELP_PICTURES}
        DEPENDS ${kc_help_html} MakeHelpPdf ${KC_HELP_SHOTS}
        COMMENT "Typesetting the user guide Kaleidocircle-${kc_help_lang}.pdf"
        VERBATIM)
    list(APPEND KALEIDOCIRCLE_HELP_PDFS ${kc_help_pdf})
endforeach()
unset(kc_help_lang)
unset(kc_help_html)
unset(kc_help_pdf)
unset(kc_page)

add_custom_target(help_pdfs ALL DEPENDS ${KALEIDOCIRCLE_HELP_PDFS})
add_dependencies(help_pdfs help_shots)
add_dependencies(kaleidocircle help_pdfs)

install(FILES ${KALEIDOCIRCLE_HELP_PDFS} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kaleidocircle)
