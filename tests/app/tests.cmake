qz_gtest(app qz_app qz_document)
# The lifecycle tests share the temporary-folder helpers of the file tests.
target_sources(test_app PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/document/file_test_util.cpp)
