qz_fuzz(calc_expression qz_calc)
