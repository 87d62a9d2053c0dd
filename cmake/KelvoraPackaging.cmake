# The Debian package, built by CPack's DEB generator (`cpack -G DEB` in the
# build directory; scripts/package does the whole release build). The two
# programs, the desktop entry and the icons are installed where they are
# built; this adds the manual pages and the files Debian asks of every
# package, then describes the package.

include(GNUInstallDirs)

set(KELVORA_PACKAGE_MAINTAINER "Kelvora developers <kelvora@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

# Manual pages and the changelog are installed gzip-compressed with -9n:
# no name or time stamp in the header, so the package is reproducible.
find_program(KELVORA_GZIP gzip REQUIRED)
set(kelvora_doc_dir ${PROJECT_BINARY_DIR}/package-doc)
set(kelvora_compressed_docs "")
function(kelvora_compressed_doc source name)
    set(copy ${kelvora_doc_dir}/${name})
    add_custom_command(OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${KELVORA_GZIP} -9nf ${copy}
        DEPENDS ${source}
        VERBATIM)
    set(kelvora_compressed_docs ${kelvora_compressed_docs} ${copy}.gz PARENT_SCOPE)
endfunction()

foreach(page kelvora.1 kelvora-render.1)
    kelvora_compressed_doc(${PROJECT_SOURCE_DIR}/data/man/${page} ${page})
    install(FILES ${kelvora_doc_dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
kelvora_compressed_doc(${PROJECT_BINARY_DIR}/changelog changelog)
add_custom_target(kelvora_package_docs ALL DEPENDS ${kelvora_compressed_docs})

install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${kelvora_doc_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvora)

# The teacher's guide in Japanese and English with the pictures it shows,
# laid out as in the source so its links work. The guides stay uncompressed
# for the same reason: a Markdown viewer or a browser shows them with their
# pictures straight from this folder.
install(FILES ${PROJECT_SOURCE_DIR}/README.ja.md ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvora)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images ${PROJECT_SOURCE_DIR}/docs/gallery
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvora/docs)

# A stripped install (CPack's) also drops the compiler's notes, as Debian's
# own tools do. These rules run after the programs' own install rules.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program kelvora kelvora-render)
            execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated wave and oscillation scenes for school physics")
set(CPACK_PACKAGE_DESCRIPTION [=[Kelvora is a teaching aid for school physics. It shows sixteen wave and
oscillation phenomena as short looping animations: simple harmonic motion
beside uniform circular motion, transverse and longitudinal waves, standing
waves, reflection at fixed and free ends, the interference of water waves,
closed and open pipes, thin films and the condition for interference. A
full-screen viewer plays one period frame by frame, with pause and single
step, and saves it as an animated GIF, a printable worksheet or a PNG picture.
All text on screen is Japanese.

kelvora-render draws the same scenes without a window, for making teaching
material in bulk.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELVORA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries (dpkg-shlibdeps); the text on screen
# needs the Japanese font, which no binary names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Builds the package from this build tree and checks it (dpkg-deb).
add_test(NAME debian_package
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/package/package_test.sh ${CMAKE_CPACK_COMMAND}
        ${PROJECT_BINARY_DIR} $<TARGET_FILE:kelvora> $<TARGET_FILE:kelvora-render>)
