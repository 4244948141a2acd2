qz_gtest(platform qz_platform)
