# Installing and packaging. Two components:
# - linux: what `cmake --install` lays out on a Linux host (the cross build):
#   the launcher bin/pulsafina, the exe in lib/pulsafina/, the menu entry, the
#   icons, the manual page and the package's documents; `cpack -G DEB` packs it.
# - windows: pulsafina.exe and LEEME.txt at the top, packed by `cpack -G ZIP`;
#   on a Linux host it is left out of a plain `cmake --install`.
set(PULSAFINA_WEB "http://www.norvedo.example")
set(PULSAFINA_CONTACTO "Norvedo Software <soporte@norvedo.example>")
set(PULSAFINA_LINUX ${PROJECT_SOURCE_DIR}/packaging/linux)
set(CPACK_PACKAGE_HOMEPAGE_URL ${PULSAFINA_WEB})
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/LEEME.txt.in ${PULSAFINA_GENERADO}/LEEME.txt
               @ONLY NEWLINE_STYLE CRLF)

if(CMAKE_HOST_UNIX)
  set(PULSAFINA_SOLO_EN_PAQUETE EXCLUDE_FROM_ALL)
else()
  set(PULSAFINA_SOLO_EN_PAQUETE)
endif()
install(TARGETS pulsafina RUNTIME DESTINATION . COMPONENT windows ${PULSAFINA_SOLO_EN_PAQUETE})
install(FILES ${PULSAFINA_GENERADO}/LEEME.txt DESTINATION . COMPONENT windows ${PULSAFINA_SOLO_EN_PAQUETE})

if(CMAKE_HOST_UNIX)
  # The launcher finds the exe at ../lib/pulsafina from its own folder.
  install(PROGRAMS ${PULSAFINA_LINUX}/pulsafina.sh DESTINATION bin RENAME pulsafina COMPONENT linux)
  # Wine loads the exe as data: it needs no execute bit beside the launcher.
  install(FILES $<TARGET_FILE:pulsafina> DESTINATION lib/pulsafina COMPONENT linux)
  # The menu entry names the launcher by its full path, which is known only
  # when installing (cpack installs under /usr, `cmake --install` under the
  # prefix it is given), so it is written then.
  install(CODE "configure_file(\"${PULSAFINA_LINUX}/pulsafina.desktop.in\"
                              \"${PULSAFINA_GENERADO}/instalar/pulsafina.desktop\" @ONLY)"
          COMPONENT linux)
  install(FILES ${PULSAFINA_GENERADO}/instalar/pulsafina.desktop DESTINATION share/applications COMPONENT linux)
  foreach(lado 16 32 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/pulsafina-${lado}.png
            DESTINATION share/icons/hicolor/${lado}x${lado}/apps RENAME pulsafina.png COMPONENT linux)
  endforeach()
  install(FILES ${PULSAFINA_LINUX}/copyright DESTINATION share/doc/pulsafina COMPONENT linux)

  # Debian wants the manual and the changelog compressed, without a time stamp.
  find_program(PULSAFINA_GZIP gzip)
  if(PULSAFINA_GZIP)
    set(comprimidos)
    foreach(par "pulsafina.1;share/man/man1" "changelog;share/doc/pulsafina")
      list(GET par 0 nombre)
      list(GET par 1 destino)
      add_custom_command(OUTPUT ${PULSAFINA_GENERADO}/${nombre}.gz
                         COMMAND ${PULSAFINA_GZIP} -9n -c ${PULSAFINA_LINUX}/${nombre} > ${PULSAFINA_GENERADO}/${nombre}.gz
                         DEPENDS ${PULSAFINA_LINUX}/${nombre} VERBATIM)
      list(APPEND comprimidos ${PULSAFINA_GENERADO}/${nombre}.gz)
      install(FILES ${PULSAFINA_GENERADO}/${nombre}.gz DESTINATION ${destino} COMPONENT linux)
    endforeach()
    add_custom_target(pulsafina_documentos ALL DEPENDS ${comprimidos})
  else()
    install(FILES ${PULSAFINA_LINUX}/pulsafina.1 DESTINATION share/man/man1 COMPONENT linux)
    install(FILES ${PULSAFINA_LINUX}/changelog DESTINATION share/doc/pulsafina COMPONENT linux)
  endif()
endif()

set(CPACK_PACKAGE_NAME pulsafina)
set(CPACK_PACKAGE_VENDOR "Norvedo Software")
set(CPACK_PACKAGE_CONTACT ${PULSAFINA_CONTACTO})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "curso de mecanografía en español")
set(CPACK_PACKAGE_DESCRIPTION
    "Pulsafina enseña a escribir a máquina con los diez dedos: un teclado español\n"
    "cuyas teclas se iluminan, dos manos con una flecha sobre el dedo que toca,\n"
    "20 lecciones y las estadísticas de cada práctica. Es un programa de Windows\n"
    "que se ejecuta con Wine, en una carpeta de Wine propia de cada usuario.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "wine, wine64")
# xdpyinfo lets the launcher tell a display that does not answer. Wine's own
# fonts and the metric-compatible ones come with wine unless recommended
# packages are turned off; they give the panes the font that the program is
# drawn and measured with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "x11-utils, fonts-wine, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The exe is x86-64 code, run by the 64-bit Wine.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(CMAKE_HOST_UNIX)
  set(CPACK_GENERATOR "DEB;ZIP")
else()
  set(CPACK_GENERATOR "ZIP")
endif()
# Each generator packs its own component (cmake/cpack_generador.cmake.in).
configure_file(${PROJECT_SOURCE_DIR}/cmake/cpack_generador.cmake.in ${PULSAFINA_GENERADO}/cpack_generador.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PULSAFINA_GENERADO}/cpack_generador.cmake)
include(CPack)
