qz_fuzz(lexpak_convert lexpak_core)
