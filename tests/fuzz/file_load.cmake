qz_fuzz(file_load qz_document)
