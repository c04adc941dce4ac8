# What each Windows executable carries: the project's icon (made by
# tools/make_icon.py), its manifest (cmake/*.manifest), and the version and a
# one-line description in its properties.
set(QZT_ICON ${PROJECT_SOURCE_DIR}/samples/qztedit.ico)
function(qzt_executable_resources target description manifest)
    set(QZT_FILE_NAME ${target})
    set(QZT_FILE_DESCRIPTION "${description}")
    set(QZT_MANIFEST ${PROJECT_SOURCE_DIR}/cmake/${manifest})
    set(resource ${CMAKE_BINARY_DIR}/resources/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/executable.rc.in ${resource} @ONLY)
    target_sources(${target} PRIVATE ${resource})
    # The compiler reads the icon and the manifest itself; new ones rebuild the resource.
    set_property(SOURCE ${resource} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${QZT_ICON} ${QZT_MANIFEST})
endfunction()
