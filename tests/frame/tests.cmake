qz_gtest(frame qz_frame)
