if(QZ_WITH_QT)
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  # One Qt Test program per *_test.cpp, run on the offscreen platform. Each gets
  # its own home, settings, runtime, temporary and state folders, so that
  # programs running in parallel (and the user's own editor) never meet through
  # a socket, a lock, a settings file or a reopen list; a hang ends with a
  # stack trace well before the ctest timeout.
  file(GLOB qt_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt/*_test.cpp)
  foreach(src ${qt_tests})
    get_filename_component(name ${src} NAME_WE)
    add_executable(qt_${name} ${src})
    set_target_properties(qt_${name} PROPERTIES AUTOMOC ON
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(qt_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(qt_${name} PRIVATE qz_qt Qt6::Test)
    target_compile_definitions(qt_${name} PRIVATE QZ_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
    set(home ${QZ_TEST_HOME}/qt_${name})
    foreach(sub config runtime tmp)
      file(MAKE_DIRECTORY ${home}/${sub})
    endforeach()
    file(CHMOD ${home}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    add_test(NAME qt_${name} COMMAND qt_${name})
    set_tests_properties(qt_${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/config;XDG_RUNTIME_DIR=${home}/runtime;TMPDIR=${home}/tmp;QZED_HOME=${home};QTEST_FUNCTION_TIMEOUT=60000"
      TIMEOUT 120
      LABELS qt)
  endforeach()
endif()
