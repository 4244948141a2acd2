qz_bench(file_io_bench file_io_bench.cpp gen_corpus.cpp)
target_link_libraries(file_io_bench PRIVATE qz_document benchmark::benchmark)
# The batch program bench/peers.sh times beside other editors.
qz_bench(qzbatch qzbatch.cpp gen_corpus.cpp)
target_link_libraries(qzbatch PRIVATE qz_search qz_document)
