qz_fuzz(sjis_read qz_document)
