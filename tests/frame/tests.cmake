qz_gtest(frame qz_frame)
if(TARGET test_frame)
  target_compile_definitions(test_frame PRIVATE QZ_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endif()
