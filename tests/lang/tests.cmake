qz_gtest(lang qz_lang)
