qz_gtest(external qz_external)
