# Debian packages (`make package`): the run-time library, its development
# files and the demo client, one package per install component.
set(KELCTRLS_RUNTIME_PACKAGE libkelctrls${KELCTRLS_SOVERSION})

# Packages hold what was built and tested: `make package` builds first, and
# the packaging test runs beside the other tests, whose programs a rebuild
# would replace under them.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelctrls)
set(CPACK_PACKAGE_VENDOR "KelCtrls developers")
set(CPACK_PACKAGE_CONTACT "KelCtrls developers <kelctrls@kel.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev demo)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kel.example/kelctrls")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The demo links the library being packaged beside it; dpkg-shlibdeps runs
# in the demo's staging folder, next to the run-time package's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ../runtime/usr/${CMAKE_INSTALL_LIBDIR})
set(KELCTRLS_PACKAGE_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${KELCTRLS_RUNTIME_PACKAGE})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "user-interface controls of the Kel instant-messaging client\n\
KelCtrls gives a Jabber (XMPP) desktop client its skin store, skinned\n\
windows and controls, a multi-column contact tree, the records and events\n\
of chat traffic, a rich chat text control with animated faces, an embedded\n\
web browser whose pages call back into the client, dialogs and the\n\
persistence of small user-interface state.\n\
\n\
This package holds the shared library and the files it reads itself.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libkelctrls-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "${KELCTRLS_RUNTIME_PACKAGE} (= ${KELCTRLS_PACKAGE_VERSION}), libwxgtk3.2-dev, libwxgtk-webview3.2-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "user-interface controls of the Kel instant-messaging client (development)\n\
KelCtrls is the user-interface controls library of a Jabber (XMPP) desktop\n\
client, on wxWidgets 3.2.\n\
\n\
This package holds the headers, the CMake package (find_package(KelCtrls))\n\
and the pkg-config file (kelctrls).")

set(CPACK_DEBIAN_DEMO_PACKAGE_NAME kelctrls-demo)
set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION net)
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS "${KELCTRLS_RUNTIME_PACKAGE} (= ${KELCTRLS_PACKAGE_VERSION})")
set(CPACK_COMPONENT_DEMO_DESCRIPTION
    "showcase client of the KelCtrls user-interface controls\n\
A desktop client that shows every control of the KelCtrls library: the\n\
skinned main window with its contact tree, chat windows with animated\n\
faces, the embedded browser, the dialogs and the settings pages.")

# Each package documents itself: copyright and a Debian change log.
foreach(package ${KELCTRLS_RUNTIME_PACKAGE} libkelctrls-dev kelctrls-demo)
  if(package STREQUAL KELCTRLS_RUNTIME_PACKAGE)
    set(component runtime)
  elseif(package STREQUAL libkelctrls-dev)
    set(component dev)
  else()
    set(component demo)
  endif()
  set(KELCTRLS_PACKAGE ${package})
  string(TIMESTAMP KELCTRLS_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in
    ${PROJECT_BINARY_DIR}/packaging/${package}/changelog.Debian @ONLY)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${package}/changelog.Debian.gz
    COMMAND gzip -9n -c changelog.Debian > changelog.Debian.gz
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/packaging/${package}
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/${package}/changelog.Debian)
  list(APPEND KELCTRLS_CHANGELOGS ${PROJECT_BINARY_DIR}/packaging/${package}/changelog.Debian.gz)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
                ${PROJECT_BINARY_DIR}/packaging/${package}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()
add_custom_target(kelctrls_changelogs ALL DEPENDS ${KELCTRLS_CHANGELOGS})

include(CPack)
