# The installed layout and the Debian package, built from this build folder.
if(QZ_WITH_QT)
  add_test(NAME install COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/install_test.sh ${CMAKE_BINARY_DIR})
  add_test(NAME deb COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/deb_test.sh
           ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}/data)
  set_tests_properties(install deb PROPERTIES LABELS install TIMEOUT 120)
endif()
