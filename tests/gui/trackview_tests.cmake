# Qt Test suites of the track view (tests/gui/trackview_*.cpp), each its own program.
find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
file(GLOB SPURWERK_TRACKVIEW_GUI_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/trackview_*.cpp)
foreach(source ${SPURWERK_TRACKVIEW_GUI_TESTS})
  get_filename_component(suite ${source} NAME_WE)
  add_executable(gui_${suite} ${source})
  target_link_libraries(gui_${suite} PRIVATE spurwerk_gui_test_support spurwerk_test_support)
  add_dependencies(gui_${suite} spurwerk_generated)
  set_target_properties(gui_${suite} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME gui_${suite} COMMAND gui_${suite})
  set_tests_properties(gui_${suite} PROPERTIES LABELS gui ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endforeach()

# Playback needs a sound server: once with one started for the test (skipped,
# with the reason, when none can be started) and once with none at all.
if(TARGET gui_trackview_playback_test)
  set_tests_properties(gui_trackview_playback_test PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PULSE_SERVER=unix:/nonexistent/spurwerk-no-server")
  add_test(NAME gui_trackview_playback_with_server
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/with_null_sound_server.sh $<TARGET_FILE:gui_trackview_playback_test>)
  set_tests_properties(gui_trackview_playback_with_server PROPERTIES
    LABELS gui ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 SKIP_RETURN_CODE 77)
endif()

# The program starts without Qt Multimedia: only the output module links it.
if(TARGET spurwerk_playback_qt AND NOT WIN32)
  add_test(NAME gui_program_starts_without_multimedia
           COMMAND sh -c "ldd \"$1\" | grep -i multimedia && exit 1; ldd \"$2\" | grep -q libQt6Multimedia" sh
                   $<TARGET_FILE:Spurwerk> $<TARGET_FILE:spurwerk_playback_qt>)
  set_tests_properties(gui_program_starts_without_multimedia PROPERTIES LABELS gui)
endif()
