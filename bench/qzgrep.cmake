# The grep benchmark's tree generator (bench/qzgrep_bench.sh runs it).
qz_bench(gen_grep_tree gen_grep_tree.cpp gen_corpus.cpp)
target_link_libraries(gen_grep_tree PRIVATE qz_platform)
