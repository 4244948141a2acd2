qz_fuzz(cp932 qz_platform)
