qz_bench(view_bench view_bench.cpp gen_corpus.cpp)
target_link_libraries(view_bench PRIVATE qz_view benchmark::benchmark)
target_compile_definitions(view_bench PRIVATE QZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
