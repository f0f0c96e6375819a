# Compiles the catalogues po/<language>.po of a text domain with msgfmt into
# <build>/locale/<language>/LC_MESSAGES/<domain>.mo, where uninstalled
# programs find them, and adds them to the target `target`. With INSTALL
# <component> they are also installed below CMAKE_INSTALL_LOCALEDIR, as part of
# that install component (and so of its package).
find_program(KELCTRLS_MSGFMT msgfmt)
if(NOT KELCTRLS_MSGFMT)
  message(FATAL_ERROR "msgfmt (Debian package gettext) compiles the translations")
endif()
set(KELCTRLS_BUILD_LOCALE_DIR ${PROJECT_BINARY_DIR}/locale)

function(kelctrls_add_catalogs target domain po_dir)
  cmake_parse_arguments(ARG "" "INSTALL" "" ${ARGN})
  file(GLOB po_files CONFIGURE_DEPENDS ${po_dir}/*.po)
  set(mo_files)
  foreach(po ${po_files})
    get_filename_component(language ${po} NAME_WE)
    set(mo ${KELCTRLS_BUILD_LOCALE_DIR}/${language}/LC_MESSAGES/${domain}.mo)
    add_custom_command(OUTPUT ${mo}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${KELCTRLS_BUILD_LOCALE_DIR}/${language}/LC_MESSAGES
      COMMAND ${KELCTRLS_MSGFMT} --check --output-file=${mo} ${po}
      DEPENDS ${po}
      COMMENT "Compiling the ${language} catalogue of ${domain}")
    list(APPEND mo_files ${mo})
    if(ARG_INSTALL)
      install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES COMPONENT ${ARG_INSTALL})
    endif()
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${mo_files})
endfunction()
