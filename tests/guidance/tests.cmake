# The function guidance: the dictionary search over files the real lexpak
# writes, the guidance window's logic and the guidance command.
qz_gtest(guidance qz_frame qz_lang qz_view)
if(TARGET test_guidance)
  target_sources(test_guidance PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tools/tool_runner.cpp)
  target_compile_definitions(test_guidance PRIVATE LEXPAK_PROGRAM="$<TARGET_FILE:lexpak>")
  add_dependencies(test_guidance lexpak)
endif()
if(TARGET test_guidance AND TARGET qz_help_pages)
  # The help pages as the build wrote them, beside their sources.
  target_compile_definitions(test_guidance PRIVATE
    QZ_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data" QZ_PROGRAM_DIR="${QZ_PROGRAM_DIR}")
  add_dependencies(test_guidance qz_help_pages)
endif()
