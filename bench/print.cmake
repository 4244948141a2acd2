qz_bench(print_bench print_bench.cpp gen_corpus.cpp)
target_link_libraries(print_bench PRIVATE qz_print benchmark::benchmark)
