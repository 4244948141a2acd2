qz_bench(search_bench ${CMAKE_CURRENT_SOURCE_DIR}/search_bench.cpp)
target_link_libraries(search_bench PRIVATE qz_search qz_document benchmark::benchmark)
