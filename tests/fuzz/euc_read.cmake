qz_fuzz(euc_read qz_document)
