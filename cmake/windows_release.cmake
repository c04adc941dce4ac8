# The Windows release: the executables' version resources, and the folder the
# installer and the zip are made from (cmake --install --strip, see tools/package).

# The project's version and a one-line description in TARGET's properties.
function(qzt_version_resource target description)
    set(QZT_FILE_NAME ${target})
    set(QZT_FILE_DESCRIPTION "${description}")
    set(resource ${CMAKE_BINARY_DIR}/version/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${resource} @ONLY)
    target_sources(${target} PRIVATE ${resource})
endfunction()

qzt_version_resource(qztedit "QZT level editor")
qzt_version_resource(qztlevel "QZT level data file tool")

# One folder, as the installer lays it out in C:\QZTedit: start-up reads the
# logo from there. The README as text Windows opens.
install(TARGETS qztedit qztlevel RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/LOGO.bmp DESTINATION .)
configure_file(${PROJECT_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/sample.dat ${PROJECT_SOURCE_DIR}/samples/sample.bmp DESTINATION samples)
