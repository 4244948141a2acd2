qz_fuzz(kanji_detect qz_document)
