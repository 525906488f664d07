#include "image_output.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

TEST(FrameNumber, HashRunsInTheFileNameBecomeTheZeroPaddedFrame) {
    struct Case {
        const char* path;
        Int32 frame;
        const char* expected;
    } cases[] = {
        {"out.png", 7, "out.png"},
        {"out_#.png", 7, "out_7.png"},
        {"out_####.png", 7, "out_0007.png"},
        {"out_####.png", 0, "out_0000.png"},
        {"out_##.png", 1234, "out_1234.png"},
        {"a##_b###.exr", 5, "a05_b005.exr"},
        {"####", 42, "0042"},
        {"f###.tif", -5, "f-005.tif"},
        {"renders/#x#/shot_###.jpg", 12, "renders/#x#/shot_012.jpg"},
        {"/abs/path/f#.png", 3, "/abs/path/f3.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(host::ExpandFrameNumber(c.path, c.frame), c.expected);
    }
}

class ImageOutput : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ovrin_image_output_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// 8 × 5 pixels of ramps in every channel. Alpha takes values an 8 and a 16 bit file hold
// exactly (0.2 = 51/255 = 13107/65535, 0.6, 1), and colour is associated with it (≤ alpha).
host::ImagePixels TestImage() {
    host::ImagePixels image;
    image.width = 8;
    image.height = 5;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            const float a = y == 0 ? 0.2f : (y == 1 ? 0.6f : 1.0f);
            image.rgba.insert(image.rgba.end(),
                              {a * float(x) / 7, a * float(y) / 4, a * float(7 - x) / 9, a});
        }
    return image;
}

TEST_F(ImageOutput, FilesReadBackWithinTheirFormatsQuantisation) {
    struct Case {
        const char* name;
        int bits;
        float tolerance; // per channel
        bool alpha;
    } cases[] = {
        {"frame.exr", 8, 0.0f, true},
        // A PNG stores colour divided by alpha; the reader multiplies it back in integers and
        // truncates, one more level of error than the file itself holds.
        {"frame.png", 8, 1.5f / 255 + 1e-6f, true},
        {"frame16.png", 16, 1.5f / 65535 + 1e-7f, true},
        {"frame.tif", 8, 0.5f / 255 + 1e-6f, true},
        {"frame16.tiff", 16, 0.5f / 65535 + 1e-7f, true},
        {"frame.jpg", 8, 8.0f / 255, false}, // lossy: a few levels on these steep ramps
        {"FRAME.JPEG", 8, 8.0f / 255, false},
    };
    const host::ImagePixels image = TestImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        ASSERT_TRUE(host::WriteImageFile(Path(c.name), image, {c.bits}, error)) << error;
        host::ImagePixels back;
        ASSERT_TRUE(host::ReadImageFile(Path(c.name), back, error)) << error;
        ASSERT_EQ(back.width, 8);
        ASSERT_EQ(back.height, 5);
        float worst = 0;
        for (size_t i = 0; i < image.rgba.size(); ++i) {
            // Without alpha the colour is the associated colour, i.e. over black, opaque.
            const float want = (i % 4 == 3 && !c.alpha) ? 1.0f : image.rgba[i];
            worst = std::max(worst, std::abs(back.rgba[i] - want));
        }
        EXPECT_LE(worst, c.tolerance);
    }
    // One file each, no temporaries beside them.
    EXPECT_EQ(Files(),
              (std::vector<std::string>{"FRAME.JPEG", "frame.exr", "frame.jpg", "frame.png",
                                        "frame.tif", "frame16.png", "frame16.tiff"}));
}

TEST_F(ImageOutput, FloatFilesKeepHighValuesIntegerFilesClampThem) {
    host::ImagePixels image;
    image.width = 2;
    image.height = 1;
    image.rgba = {4.5f, -0.25f, 0.5f, 1.0f, 1e-4f, 1.0f, 2.0f, 1.0f};
    std::string error;
    ASSERT_TRUE(host::WriteImageFile(Path("hdr.exr"), image, {}, error)) << error;
    ASSERT_TRUE(host::WriteImageFile(Path("ldr.png"), image, {}, error)) << error;
    host::ImagePixels exr, png;
    ASSERT_TRUE(host::ReadImageFile(Path("hdr.exr"), exr, error)) << error;
    ASSERT_TRUE(host::ReadImageFile(Path("ldr.png"), png, error)) << error;
    EXPECT_EQ(exr.rgba, image.rgba);
    EXPECT_EQ(png.rgba, (std::vector<float>{1, 0, 128.0f / 255, 1, 0, 1, 1, 1}));
}

TEST_F(ImageOutput, AnUnwritableFolderGivesAnErrorAndNoFile) {
    const host::ImagePixels image = TestImage();
    std::ofstream(Path("plain-file")) << "not a folder";
    const std::string missingFolder = Path("no/such/folder/out.png");
    const std::string fileAsFolder = Path("plain-file/out.png");
    for (const std::string& path : {missingFolder, fileAsFolder}) {
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_FALSE(host::WriteImageFile(path, image, {}, error));
        EXPECT_EQ(error.rfind("cannot write image \"" + path + "\": ", 0), 0u) << error;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"plain-file"});
}

TEST_F(ImageOutput, AFailedWriteLeavesNoTemporaryAndKeepsTheOldFile) {
    const host::ImagePixels image = TestImage();
    std::string error;
    // The target's name is taken by a folder: the rename at the end fails.
    fs::create_directories(dir_ / "taken.png");
    EXPECT_FALSE(host::WriteImageFile(Path("taken.png"), image, {}, error));
    EXPECT_NE(error.find("taken.png"), std::string::npos) << error;
    EXPECT_EQ(Files(), std::vector<std::string>{"taken.png"});
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.png"));

    // A bad request leaves an existing file as it was.
    ASSERT_TRUE(host::WriteImageFile(Path("keep.png"), image, {}, error)) << error;
    const auto size = fs::file_size(dir_ / "keep.png");
    host::ImagePixels empty;
    EXPECT_FALSE(host::WriteImageFile(Path("keep.png"), empty, {}, error));
    EXPECT_EQ(error, "cannot write image \"" + Path("keep.png") + "\": the image has no pixels");
    EXPECT_FALSE(host::WriteImageFile(Path("keep.png"), image, {12}, error));
    EXPECT_EQ(error, "cannot write image \"" + Path("keep.png") +
                         "\": 12 bits per channel is not offered (use 8 or 16)");
    EXPECT_EQ(fs::file_size(dir_ / "keep.png"), size);
    EXPECT_EQ(Files(), (std::vector<std::string>{"keep.png", "taken.png"}));
}

TEST_F(ImageOutput, UnknownTypesAreRefusedAndRewritesReplaceTheFile) {
    host::ImagePixels image = TestImage();
    std::string error;
    EXPECT_FALSE(host::WriteImageFile(Path("frame.bmp"), image, {}, error));
    EXPECT_EQ(error, "cannot write image \"" + Path("frame.bmp") +
                         "\": unknown file type \".bmp\" (use .exr, .png, .tif or .jpg)");
    EXPECT_FALSE(host::WriteImageFile(Path("frame"), image, {}, error));
    EXPECT_TRUE(Files().empty());

    const std::string path = Path(host::ExpandFrameNumber("shot_###.exr", 9));
    ASSERT_TRUE(host::WriteImageFile(path, image, {}, error)) << error;
    image.rgba.assign(image.rgba.size(), 0.75f);
    ASSERT_TRUE(host::WriteImageFile(path, image, {}, error)) << error;
    host::ImagePixels back;
    ASSERT_TRUE(host::ReadImageFile(path, back, error)) << error;
    EXPECT_EQ(back.rgba, image.rgba);
    EXPECT_EQ(Files(), std::vector<std::string>{"shot_009.exr"});
}

} // namespace
