qz_gtest(lang qz_lang)
if(TARGET test_lang)
  target_compile_definitions(test_lang PRIVATE QZ_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endif()
