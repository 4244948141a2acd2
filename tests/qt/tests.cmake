if(QZ_WITH_QT)
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  # One Qt Test program per *_test.cpp, run on the offscreen platform.
  file(GLOB qt_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt/*_test.cpp)
  foreach(src ${qt_tests})
    get_filename_component(name ${src} NAME_WE)
    add_executable(qt_${name} ${src})
    set_target_properties(qt_${name} PROPERTIES AUTOMOC ON
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(qt_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(qt_${name} PRIVATE qz_qt Qt6::Test)
    add_test(NAME qt_${name} COMMAND qt_${name})
    set_tests_properties(qt_${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${QZ_TEST_HOME}/qt_${name}/config;QZED_HOME=${QZ_TEST_HOME}"
      LABELS qt)
  endforeach()
endif()
