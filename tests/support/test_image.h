// Writes tiny image files for tests that load pictures through the host.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Writes width × height pixels of RGB floats (rows top to bottom) as a 32-bit float file;
// the format follows path's extension (use .exr to keep the values exact). False on failure.
bool WriteRgbImage(const std::string& path, int width, int height, const std::vector<float>& rgb);

// A fresh path in the test temporary folder ending in name.
std::string TempImagePath(const std::string& name);

} // namespace testing_support
