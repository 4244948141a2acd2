qz_fuzz(search_pattern qz_search)
