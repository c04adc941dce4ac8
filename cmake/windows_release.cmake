# The Windows release: the executables' resources, and the folder the
# installer and the zip are made from (cmake --install --strip, see tools/package).

# The project's icon (made by tools/make_icon.py), and the version and a
# one-line description in TARGET's properties.
set(QZT_ICON ${PROJECT_SOURCE_DIR}/samples/qztedit.ico)
function(qzt_executable_resources target description)
    set(QZT_FILE_NAME ${target})
    set(QZT_FILE_DESCRIPTION "${description}")
    set(resource ${CMAKE_BINARY_DIR}/resources/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/executable.rc.in ${resource} @ONLY)
    target_sources(${target} PRIVATE ${resource})
    # The compiler reads the icon itself; a new one rebuilds the resource.
    set_property(SOURCE ${resource} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${QZT_ICON})
endfunction()

qzt_executable_resources(qztedit "QZT level editor")
qzt_executable_resources(qztlevel "QZT level data file tool")

# One folder, as the installer and the zip lay it out: start-up finds the logo
# beside the editor. The README as text Windows opens.
install(TARGETS qztedit qztlevel RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/LOGO.bmp DESTINATION .)
configure_file(${PROJECT_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/sample.dat ${PROJECT_SOURCE_DIR}/samples/sample.bmp DESTINATION samples)
