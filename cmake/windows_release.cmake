# The Windows release: the executables' resources, and the folder the
# installer and the zip are made from (cmake --install --strip, see tools/package).

qzt_executable_resources(qztedit "QZT level editor" qztedit.manifest)
qzt_executable_resources(qztlevel "QZT level data file tool" qztlevel.manifest)

# One folder, as the installer and the zip lay it out: start-up finds the logo
# beside the editor. The README as text Windows opens.
install(TARGETS qztedit qztlevel RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/LOGO.bmp DESTINATION .)
configure_file(${PROJECT_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/samples/sample.dat ${PROJECT_SOURCE_DIR}/samples/sample.bmp DESTINATION samples)
