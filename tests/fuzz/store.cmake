qz_fuzz(store qz_document)
