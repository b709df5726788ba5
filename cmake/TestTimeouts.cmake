# Time limits of the CTest entries. They guard against a hang and say nothing of speed:
# each is at least five times what its entries take on the slowest machine we know with
# its cores kept busy by another process (scripts/loaded), some three times what they take
# on a fast one loaded. Most entries take seconds there; those that churn thousands of
# windows half a minute.
set(TIPP_TEST_TIMEOUT 300)
set(TIPP_LONG_TEST_TIMEOUT 600)
