qz_bench(lang_bench ${CMAKE_CURRENT_SOURCE_DIR}/lang_bench.cpp)
target_link_libraries(lang_bench PRIVATE qz_lang benchmark::benchmark)
target_compile_definitions(lang_bench PRIVATE QZ_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
