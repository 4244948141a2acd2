qz_bench(kanji_bench ${CMAKE_CURRENT_LIST_DIR}/kanji_bench.cpp)
target_link_libraries(kanji_bench PRIVATE qz_document benchmark::benchmark)
