qz_fuzz(template_file qz_lang)
