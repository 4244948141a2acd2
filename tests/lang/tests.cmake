# qz_view for the palette the shipped keyword colours are checked against.
qz_gtest(lang qz_lang qz_view)
if(TARGET test_lang)
  target_compile_definitions(test_lang PRIVATE QZ_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endif()
