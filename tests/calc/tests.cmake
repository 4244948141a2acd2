qz_gtest(calc qz_calc qz_view)
