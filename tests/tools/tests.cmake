qz_gtest(tools qztags_core lexpak_core)
if(TARGET test_tools)
  target_compile_definitions(test_tools PRIVATE
    QZTAGS_PROGRAM="$<TARGET_FILE:qztags>" LEXPAK_PROGRAM="$<TARGET_FILE:lexpak>")
  add_dependencies(test_tools qztags lexpak)
endif()
