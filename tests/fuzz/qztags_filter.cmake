qz_fuzz(qztags_filter qztags_core)
