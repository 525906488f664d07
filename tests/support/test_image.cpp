#include "test_image.h"

#include <OpenImageIO/imageio.h>

#include <gtest/gtest.h>

#include <atomic>
#include <unistd.h>

namespace testing_support {

bool WriteRgbImage(const std::string& path, int width, int height, const std::vector<float>& rgb) {
    if (rgb.size() != size_t(width) * size_t(height) * 3)
        return false;
    auto out = OIIO::ImageOutput::create(path);
    if (!out)
        return false;
    const OIIO::ImageSpec spec(width, height, 3, OIIO::TypeDesc::FLOAT);
    return out->open(path, spec) && out->write_image(OIIO::TypeDesc::FLOAT, rgb.data()) &&
           out->close();
}

std::string TempImagePath(const std::string& name) {
    static std::atomic<int> counter{0};
    return testing::TempDir() + "ovrin_" + std::to_string(getpid()) + "_" +
           std::to_string(counter++) + "_" + name;
}

} // namespace testing_support
