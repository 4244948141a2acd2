qz_gtest(view qz_view)
