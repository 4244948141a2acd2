qz_gtest(settings qz_settings qz_app)
