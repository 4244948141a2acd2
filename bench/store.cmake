qz_bench(store_bench store_bench.cpp gen_corpus.cpp)
target_link_libraries(store_bench PRIVATE qz_document benchmark::benchmark)
