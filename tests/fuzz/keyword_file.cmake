qz_fuzz(keyword_file qz_lang)
