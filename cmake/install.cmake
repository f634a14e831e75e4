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
# The sound output the program loads on first playback, in a folder below the
# program's (directly in lib/spurwerk the package would call ldconfig for it).
if(TARGET spurwerk_playback_qt)
  install(TARGETS spurwerk_playback_qt LIBRARY DESTINATION ${SPURWERK_PROGRAM_DIR}/playback)
endif()

# Only what the program reads; the build folder's bin also holds the side files
# a test run wrote (options, histories), which must not ship.
set(SPURWERK_TEMPLATE_NAMES
  PRJDATA_VorlageR16.ZDT PRJDATA_VorlageR24.ZDT EFXDATA_VorlageR16.ZDT EFXDATA_VorlageR24.ZDT
  WAV_Vorlage_1sec44kMONO16b.WAV WAV_Vorlage_1sec44kSTEREO16b.WAV
  WAV_Vorlage_1sec44kMONO24b.WAV WAV_Vorlage_1sec44kSTEREO24b.WAV)
list(TRANSFORM SPURWERK_TEMPLATE_NAMES PREPEND ${SPURWERK_BIN_DIR}/)
install(FILES ${SPURWERK_TEMPLATE_NAMES} DESTINATION ${SPURWERK_PROGRAM_DIR})
# The marker tells the programs that they are installed: their settings and
# histories then go to the user's configuration folder, never beside them.
file(WRITE ${CMAKE_BINARY_DIR}/install-marker/Spurwerk_Installed.txt
     "Installed program: Spurwerk keeps its settings in the user's configuration folder.\n")
install(FILES ${CMAKE_BINARY_DIR}/install-marker/Spurwerk_Installed.txt DESTINATION ${SPURWERK_PROGRAM_DIR})
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
  # Manual pages and the changelog go compressed, as man and Debian expect;
  # -n keeps the archives byte-identical from build to build.
  find_program(SPURWERK_GZIP gzip REQUIRED)
  set(SPURWERK_DOCS_DIR ${CMAKE_BINARY_DIR}/install-docs)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/install/changelog.in ${SPURWERK_DOCS_DIR}/changelog @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/install/spurwerk.metainfo.xml.in
                 ${SPURWERK_DOCS_DIR}/io.github.spurwerk.Spurwerk.metainfo.xml @ONLY)
  set(SPURWERK_PAGES spurwerk-cli)
  if(SPURWERK_GUI)
    list(APPEND SPURWERK_PAGES spurwerk)
  endif()
  set(SPURWERK_COMPRESSED)
  foreach(source IN ITEMS ${SPURWERK_PAGES} changelog)
    if(source STREQUAL "changelog")
      set(input ${SPURWERK_DOCS_DIR}/changelog)
      set(output ${SPURWERK_DOCS_DIR}/changelog.gz)
    else()
      set(input ${PROJECT_SOURCE_DIR}/docs/${source}.1)
      set(output ${SPURWERK_DOCS_DIR}/${source}.1.gz)
    endif()
    add_custom_command(OUTPUT ${output}
      COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${SPURWERK_GZIP} ${input} ${output}
      DEPENDS ${input} VERBATIM)
    list(APPEND SPURWERK_COMPRESSED ${output})
  endforeach()
  add_custom_target(spurwerk_install_docs ALL DEPENDS ${SPURWERK_COMPRESSED})
  foreach(page IN LISTS SPURWERK_PAGES)
    install(FILES ${SPURWERK_DOCS_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
  set(SPURWERK_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/spurwerk)
  install(FILES ${SPURWERK_DOCS_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/install/copyright
          DESTINATION ${SPURWERK_PACKAGE_DOC_DIR})
  # Shell completion where bash-completion and zsh look for it.
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/install/spurwerk-cli.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME spurwerk-cli)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/install/_spurwerk-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  if(SPURWERK_GUI)
    install(FILES ${SPURWERK_DOCS_DIR}/io.github.spurwerk.Spurwerk.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  endif()
endif()
