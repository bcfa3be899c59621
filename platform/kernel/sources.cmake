# Sources of this area are listed here.
target_sources(platform PRIVATE)
