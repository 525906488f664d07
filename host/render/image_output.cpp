#include "image_output.h"

#include <OpenImageIO/imageio.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace host {

namespace {

struct FileFormat {
    const char* extensions[2]; // lower case, with the dot
    const char* oiioName;
    int channels;      // RGBA, or RGB without alpha
    bool integer;      // 8 or 16 bit; false: float
    bool unassociated; // the file stores colour divided by alpha
};

constexpr FileFormat formats[] = {
    {{".exr", nullptr}, "openexr", 4, false, false},
    {{".png", nullptr}, "png", 4, true, true},
    {{".tif", ".tiff"}, "tiff", 4, true, false},
    {{".jpg", ".jpeg"}, "jpeg", 3, true, false},
};

// Colour divided by alpha, in float before any rounding; transparent pixels stay black. Left to
// the PNG writer, the division would happen after rounding to integers and lose a level.
std::vector<float> Unassociated(const ImagePixels& image) {
    std::vector<float> out(image.rgba);
    for (size_t i = 0; i < out.size(); i += 4) {
        const float a = out[i + 3];
        const float scale = a > 0.0f ? 1.0f / a : 0.0f;
        for (size_t c = 0; c < 3; ++c)
            out[i + c] *= scale;
    }
    return out;
}

const FileFormat* FormatFor(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const FileFormat& f : formats)
        for (const char* e : f.extensions)
            if (e && ext == e)
                return &f;
    return nullptr;
}

// A name beside the target that no other write of this process uses at the same time.
std::filesystem::path TemporaryPath(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 misreads a chain of + on strings here (-Wrestrict).
    std::string name(".");
    name += target.filename().string();
    name += ".tmp-";
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    std::filesystem::path tmp = target;
    tmp.replace_filename(name);
    return tmp;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// Flushes a written file to the disk, so that a rename never publishes an empty file after a
// crash.
void SyncFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string ExpandFrameNumber(const std::string& path, Int32 frame) {
    const size_t nameStart =
        path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1;
    const std::string digits = std::to_string(frame < 0 ? -Int64(frame) : Int64(frame));
    std::string out = path.substr(0, nameStart);
    for (size_t i = nameStart; i < path.size();) {
        if (path[i] != '#') {
            out += path[i++];
            continue;
        }
        size_t run = 0;
        while (i < path.size() && path[i] == '#')
            ++run, ++i;
        if (frame < 0)
            out += '-';
        if (digits.size() < run)
            out.append(run - digits.size(), '0');
        out += digits;
    }
    return out;
}

bool WriteImageFile(const std::string& path, const ImagePixels& image,
                    const ImageWriteOptions& options, std::string& error) {
    const std::string what = "cannot write image \"" + path + "\": ";
    if (image.width <= 0 || image.height <= 0 ||
        image.rgba.size() != size_t(image.width) * size_t(image.height) * 4) {
        error = what + "the image has no pixels";
        return false;
    }
    const std::filesystem::path target(path);
    const FileFormat* format = FormatFor(target);
    if (!format) {
        error = what + "unknown file type \"" + target.extension().string() +
                "\" (use .exr, .png, .tif or .jpg)";
        return false;
    }
    OIIO::TypeDesc type = OIIO::TypeDesc::FLOAT;
    if (format->integer && format->channels == 4) {
        if (options.bitsPerChannel != 8 && options.bitsPerChannel != 16) {
            error = what + std::to_string(options.bitsPerChannel) +
                    " bits per channel is not offered (use 8 or 16)";
            return false;
        }
        type = options.bitsPerChannel == 16 ? OIIO::TypeDesc::UINT16 : OIIO::TypeDesc::UINT8;
    } else if (format->integer) {
        type = OIIO::TypeDesc::UINT8;
    }

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        error = what + "the folder \"" + folder.string() + "\" does not exist";
        return false;
    }

    const std::filesystem::path tmp = TemporaryPath(target);
    auto fail = [&](const std::string& reason) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        error = what + Replace(reason, tmp.string(), path);
        return false;
    };

    std::unique_ptr<OIIO::ImageOutput> out = OIIO::ImageOutput::create(format->oiioName);
    if (!out)
        return fail("no writer for this format (" + OIIO::geterror() + ")");
    OIIO::ImageSpec spec(image.width, image.height, format->channels, type);
    if (format->channels == 4)
        spec.alpha_channel = 3;
    if (std::string(format->oiioName) == "jpeg") {
        spec.attribute("Compression", "jpeg:95");
        spec.attribute("jpeg:subsampling", "4:4:4"); // full colour resolution for renders
    }
    std::vector<float> unassociated;
    const float* pixels = image.rgba.data();
    if (format->unassociated) {
        unassociated = Unassociated(image);
        pixels = unassociated.data();
        spec.attribute("oiio:UnassociatedAlpha", 1);
    }
    if (!out->open(tmp.string(), spec))
        return fail(out->geterror());
    // The pixels are RGBA floats; a three-channel file takes the first three of every four.
    if (!out->write_image(OIIO::TypeDesc::FLOAT, pixels, 4 * sizeof(float))) {
        const std::string reason = out->geterror();
        out->close();
        return fail(reason);
    }
    if (!out->close())
        return fail(out->geterror());
    out.reset();
    SyncFile(tmp);
    std::filesystem::rename(tmp, target, ec);
    if (ec)
        return fail(ec.message());
    return true;
}

} // namespace host
