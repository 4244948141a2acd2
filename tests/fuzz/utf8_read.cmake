qz_fuzz(utf8_read qz_document)
