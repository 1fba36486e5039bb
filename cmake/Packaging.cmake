# Install layout and the Debian package.
#   bin/                      zan, zanctl, cleartool-sim
#   share/zan-utility/        trigger/_qx_security_trigger.pl, help/
#   share/applications/, share/icons/hicolor/scalable/apps/, share/man/man1/, share/doc/zan-utility/
# The program looks for its data next to itself first, then in ../share/zan-utility.
include(GNUInstallDirs)

set(ZAN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zan-utility)
set(ZAN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zan-utility)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS zan cleartool-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zanctl)
  install(TARGETS zanctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(PROGRAMS trigger/_qx_security_trigger.pl DESTINATION ${ZAN_DATA_DIR}/trigger)
install(DIRECTORY help/ DESTINATION ${ZAN_DATA_DIR}/help)
install(FILES data/zan-utility.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/zan-utility.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/copyright DESTINATION ${ZAN_DOC_DIR})
install(FILES data/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zan-utility)

set(ZAN_PACKAGE_RELEASE 1)
set(ZAN_PACKAGE_VERSION ${PROJECT_VERSION}-${ZAN_PACKAGE_RELEASE})
set(CPACK_PACKAGE_CONTACT "Korvane <support@korvane.com>")

# Man pages and the changelog go in gzip-compressed, without time stamps.
function(zan_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

file(GLOB man_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/*.1)
set(compressed)
foreach(page IN LISTS man_pages)
  get_filename_component(name ${page} NAME)
  zan_gzip(${page} ${CMAKE_BINARY_DIR}/man/${name}.gz)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/man/${name}.gz)
endforeach()
configure_file(data/changelog.in ${CMAKE_BINARY_DIR}/changelog.Debian @ONLY)
zan_gzip(${CMAKE_BINARY_DIR}/changelog.Debian ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_target(zan_install_docs ALL DEPENDS ${compressed} ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.Debian.gz DESTINATION ${ZAN_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zan-utility)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZAN_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION vcs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.korvane.com")
# The linked libraries (libc6, libstdc++6, libqt6core6, libqt6gui6, libqt6widgets6,
# libqt6sql6) come from dpkg-shlibdeps; these are loaded or run, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, perl")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ClearCase access control administration")
# CPack puts the summary first and indents the rest; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zan Utility decides who may perform which ClearCase operation (checkout,
mkbranch, rmelem, rmtype and others) on which element of a VOB. Settings are
stored in the VOB as attributes; pre-operation trigger types installed by the
tool run a Perl security script that enforces them.

The package holds the desktop program zan, the command-line tool zanctl, and
cleartool-sim, a cleartool emulator over a local sandbox for trying the tool
without ClearCase.")
include(CPack)
