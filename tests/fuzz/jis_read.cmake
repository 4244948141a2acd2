qz_fuzz(jis_read qz_document)
