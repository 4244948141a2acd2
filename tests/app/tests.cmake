qz_gtest(app qz_app)
