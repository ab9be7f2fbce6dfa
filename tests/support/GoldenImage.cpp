#include "support/GoldenImage.h"

#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

namespace tw::test {

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

void SetError(std::string* error, const std::string& text) {
    if (error != nullptr) *error = text;
}

bool MakeDirs(const std::string& path) {
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/') continue;
        std::string part = path.substr(0, pos);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string Stem(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0)
        name.resize(name.size() - 4);
    return name;
}

bool UpdateRequested() {
    const char* value = std::getenv("TW_UPDATE_GOLDEN");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

std::string TestsSourceDir() {
    return TW_TESTS_SOURCE_DIR;
}

std::string GoldenFailureDir() {
    return TW_GOLDEN_FAILURE_DIR;
}

std::vector<std::uint8_t> ToRgb(const Image16& image) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (std::uint16_t p : image.pixels) {
        unsigned r, g, b;
        if (image.depth == 15) {
            r = (p >> 10) & 31;
            g = (p >> 5) & 31;
            b = p & 31;
            rgb.push_back(static_cast<std::uint8_t>((r << 3) | (r >> 2)));
            rgb.push_back(static_cast<std::uint8_t>((g << 3) | (g >> 2)));
        } else {
            r = (p >> 11) & 31;
            g = (p >> 5) & 63;
            b = p & 31;
            rgb.push_back(static_cast<std::uint8_t>((r << 3) | (r >> 2)));
            rgb.push_back(static_cast<std::uint8_t>((g << 2) | (g >> 4)));
        }
        rgb.push_back(static_cast<std::uint8_t>((b << 3) | (b >> 2)));
    }
    return rgb;
}

bool WriteRgbPng(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgb, std::string* error) {
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) {
        SetError(error, "bad picture size");
        return false;
    }
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        SetError(error, "cannot create " + path);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        SetError(error, "libpng could not start");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        SetError(error, "libpng failed writing " + path);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgb.data() + static_cast<size_t>(y) * width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool ReadRgbPng(const std::string& path, int* width, int* height, std::vector<std::uint8_t>* rgb,
                std::string* error) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        SetError(error, "cannot open " + path);
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_read_struct(&png, &info, nullptr);
        SetError(error, "libpng could not start");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        SetError(error, "libpng failed reading " + path);
        return false;
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info);
    png_uint_32 h = png_get_image_height(png, info);
    // Whatever the file holds, read it as 8-bit RGB.
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_packing(png);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 3 || w > 16384 || h > 16384) {
        png_destroy_read_struct(&png, &info, nullptr);
        SetError(error, "unexpected PNG layout in " + path);
        return false;
    }
    rgb->assign(static_cast<size_t>(w) * h * 3, 0);
    for (png_uint_32 y = 0; y < h; ++y) png_read_row(png, rgb->data() + static_cast<size_t>(y) * w * 3, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

::testing::AssertionResult MatchesGolden(const Image16& image, const std::string& goldenPath) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return ::testing::AssertionFailure() << "the picture for " << goldenPath << " is empty";
    const std::vector<std::uint8_t> actual = ToRgb(image);
    const std::string golden = TestsSourceDir() + "/" + goldenPath;
    std::string error;
    if (UpdateRequested()) {
        if (!MakeDirs(Folder(golden)) ||
            !WriteRgbPng(golden, image.width, image.height, actual, &error))
            return ::testing::AssertionFailure() << "cannot update " << golden << ": " << error;
        std::printf("golden image written: %s\n", golden.c_str());
        return ::testing::AssertionSuccess();
    }

    int width = 0, height = 0;
    std::vector<std::uint8_t> expected;
    const bool haveGolden = ReadRgbPng(golden, &width, &height, &expected, &error);

    size_t differing = 0;
    if (haveGolden && width == image.width && height == image.height) {
        for (size_t i = 0; i < actual.size(); i += 3)
            if (std::memcmp(&actual[i], &expected[i], 3) != 0) ++differing;
        if (differing == 0) return ::testing::AssertionSuccess();
    }

    // Leave the pictures where a person can look at them.
    const std::string outDir = GoldenFailureDir();
    const std::string stem = outDir + "/" + Stem(goldenPath);
    MakeDirs(outDir);
    WriteRgbPng(stem + ".actual.png", image.width, image.height, actual);
    if (haveGolden && width == image.width && height == image.height) {
        std::vector<std::uint8_t> diff(expected.size());
        for (size_t i = 0; i < actual.size(); i += 3) {
            const bool same = std::memcmp(&actual[i], &expected[i], 3) == 0;
            diff[i] = same ? expected[i] / 4 : 255;
            diff[i + 1] = same ? expected[i + 1] / 4 : 0;
            diff[i + 2] = same ? expected[i + 2] / 4 : 255;
        }
        WriteRgbPng(stem + ".diff.png", image.width, image.height, diff);
        return ::testing::AssertionFailure()
               << differing << " pixels differ from " << golden << "; see " << stem
               << ".actual.png and " << stem << ".diff.png";
    }
    if (!haveGolden)
        return ::testing::AssertionFailure()
               << "no golden image (" << error << "); the picture is in " << stem
               << ".actual.png (TW_UPDATE_GOLDEN=1 makes it the golden)";
    return ::testing::AssertionFailure()
           << "size " << image.width << "x" << image.height << " differs from the golden's "
           << width << "x" << height << " (" << golden << "); see " << stem << ".actual.png";
}

::testing::AssertionResult SettlesToGolden(const std::function<Image16()>& read,
                                           const std::string& goldenPath,
                                           std::chrono::milliseconds within) {
    if (UpdateRequested()) {
        // A new golden is the picture once it has stayed the same for two
        // seconds: a window can hold a passing state for some hundred ms.
        const auto end = std::chrono::steady_clock::now() + within;
        Image16 image = read();
        auto since = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - since < std::chrono::seconds(2) &&
               std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            Image16 again = read();
            if (again.pixels != image.pixels) since = std::chrono::steady_clock::now();
            image = std::move(again);
        }
        return MatchesGolden(image, goldenPath);
    }
    int width = 0, height = 0;
    std::vector<std::uint8_t> expected;
    const bool haveGolden =
        ReadRgbPng(TestsSourceDir() + "/" + goldenPath, &width, &height, &expected);
    const auto end = std::chrono::steady_clock::now() + within;
    Image16 image = read();
    while (haveGolden && std::chrono::steady_clock::now() < end &&
           !(image.width == width && image.height == height && ToRgb(image) == expected)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        image = read();
    }
    return MatchesGolden(image, goldenPath);
}

}  // namespace tw::test
