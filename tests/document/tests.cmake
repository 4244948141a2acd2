qz_gtest(document qz_document)
