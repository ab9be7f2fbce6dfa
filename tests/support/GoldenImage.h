// Golden images: pictures that a test compares pixel for pixel with a PNG
// kept beside the test, so that a person can open both and see what changed.
//
// A picture is 16-bit pixels in 5-6-5 (depth 16) or 5-5-5 (depth 15).  Both
// are stored as 8-bit RGB with each channel widened by bit replication, so a
// golden made at one depth reads back exactly at the same depth.
//
// On a mismatch the test fails and writes "<name>.actual.png" and
// "<name>.diff.png" (differing pixels in magenta over a darkened copy of the
// golden) into the build tree's "golden-failures" folder.  With
// TW_UPDATE_GOLDEN=1 in the environment the golden is written instead; do
// that only on purpose, after looking at the pictures.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw::test {

struct Image16 {
    int width = 0;
    int height = 0;
    int depth = 16;  // 16: 5-6-5; 15: 5-5-5
    std::vector<std::uint16_t> pixels;  // row by row, width x height

    std::uint16_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The picture as 8-bit RGB triples, row by row.
std::vector<std::uint8_t> ToRgb(const Image16& image);

// PNG files of 8-bit RGB triples.  Both return false (with a reason in
// *error when given) on any failure.
bool WriteRgbPng(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgb, std::string* error = nullptr);
bool ReadRgbPng(const std::string& path, int* width, int* height, std::vector<std::uint8_t>* rgb,
                std::string* error = nullptr);

// Compares the picture with the golden PNG at goldenPath, a path relative to
// the source tree's "tests" folder (for example
// "shared/base/gumps/golden/three_gumps.png").
::testing::AssertionResult MatchesGolden(const Image16& image, const std::string& goldenPath);

// For a window that settles a moment after the event a test waited for:
// reads pictures until one equals the golden or `within` has passed, then
// compares the last one as MatchesGolden does.  With TW_UPDATE_GOLDEN=1 the
// golden is the first picture that stays the same for two seconds.
::testing::AssertionResult SettlesToGolden(const std::function<Image16()>& read,
                                           const std::string& goldenPath,
                                           std::chrono::milliseconds within = std::chrono::seconds(20));

// The source tree's "tests" folder, and the folder for failure pictures.
std::string TestsSourceDir();
std::string GoldenFailureDir();

}  // namespace tw::test
