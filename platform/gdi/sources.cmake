target_sources(platform PRIVATE)
