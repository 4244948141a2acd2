qz_gtest(search qz_search)
