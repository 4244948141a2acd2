qz_gtest(print qz_print)
