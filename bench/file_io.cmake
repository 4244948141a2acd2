qz_bench(file_io_bench file_io_bench.cpp gen_corpus.cpp)
target_link_libraries(file_io_bench PRIVATE qz_document benchmark::benchmark)
