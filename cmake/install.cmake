# `cmake --install`: one program folder with the executables and everything read
# beside them (templates, language files, information texts), a launcher in the
# PATH, and on Linux a desktop entry that opens .ZDT files.
include(GNUInstallDirs)

if(WIN32)
  set(SPURWERK_PROGRAM_DIR .)
else()
  set(SPURWERK_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/spurwerk)
endif()

set(SPURWERK_INSTALL_TARGETS spurwerk-cli)
if(SPURWERK_GUI)
  list(APPEND SPURWERK_INSTALL_TARGETS Spurwerk)
endif()
install(TARGETS ${SPURWERK_INSTALL_TARGETS}
  RUNTIME DESTINATION ${SPURWERK_PROGRAM_DIR}
  BUNDLE DESTINATION ${SPURWERK_PROGRAM_DIR})

# Only what the program reads; the build folder's bin also holds the side files
# a test run wrote (options, histories), which must not ship.
set(SPURWERK_TEMPLATE_NAMES
  PRJDATA_VorlageR16.ZDT PRJDATA_VorlageR24.ZDT EFXDATA_VorlageR16.ZDT EFXDATA_VorlageR24.ZDT
  WAV_Vorlage_1sec44kMONO16b.WAV WAV_Vorlage_1sec44kSTEREO16b.WAV
  WAV_Vorlage_1sec44kMONO24b.WAV WAV_Vorlage_1sec44kSTEREO24b.WAV)
list(TRANSFORM SPURWERK_TEMPLATE_NAMES PREPEND ${SPURWERK_BIN_DIR}/)
install(FILES ${SPURWERK_TEMPLATE_NAMES} DESTINATION ${SPURWERK_PROGRAM_DIR})
file(GLOB SPURWERK_SHIPPED_TEXTS ${PROJECT_SOURCE_DIR}/data/*.INI ${PROJECT_SOURCE_DIR}/data/*.TXT)
install(FILES ${SPURWERK_SHIPPED_TEXTS} DESTINATION ${SPURWERK_PROGRAM_DIR})

if(NOT WIN32)
  # Launchers: the program finds its side files beside its real path.
  foreach(launcher spurwerk:Spurwerk spurwerk-cli:spurwerk-cli)
    string(REPLACE ":" ";" pair ${launcher})
    list(GET pair 0 SPURWERK_LAUNCHER_NAME)
    list(GET pair 1 SPURWERK_LAUNCHER_TARGET)
    if(SPURWERK_LAUNCHER_TARGET STREQUAL "Spurwerk" AND NOT SPURWERK_GUI)
      continue()
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/install/launcher.sh.in
                   ${CMAKE_BINARY_DIR}/launchers/${SPURWERK_LAUNCHER_NAME} @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/launchers/${SPURWERK_LAUNCHER_NAME} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
  if(SPURWERK_GUI)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/install/spurwerk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/install/spurwerk-zdt.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/install/spurwerk.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # Refresh the desktop's caches when installing into a live system (not into a staging root).
    install(CODE "
      if(NOT DEFINED ENV{DESTDIR} OR \"\$ENV{DESTDIR}\" STREQUAL \"\")
        find_program(UPDATE_MIME update-mime-database)
        find_program(UPDATE_DESKTOP update-desktop-database)
        if(UPDATE_MIME)
          execute_process(COMMAND \${UPDATE_MIME} \"${CMAKE_INSTALL_FULL_DATADIR}/mime\" OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(UPDATE_DESKTOP)
          execute_process(COMMAND \${UPDATE_DESKTOP} \"${CMAKE_INSTALL_FULL_DATADIR}/applications\" OUTPUT_QUIET ERROR_QUIET)
        endif()
      endif()")
  endif()
endif()

if(NOT WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/spurwerk-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(SPURWERK_GUI)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/spurwerk.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endif()
