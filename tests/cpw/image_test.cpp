// BMP images for textures.
#include "cpw/cpw.h"
#include "support/test_files.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kalveo {
namespace {

void put16(std::string& s, int v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, static_cast<int>(v & 0xFFFF));
    put16(s, static_cast<int>(v >> 16));
}

/// A 2 x 2 24-bit BMP: red, green on top; blue, white below.
std::string two_by_two_bmp(std::int32_t height = 2) {
    std::string s = "BM";
    put32(s, 54 + 16);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, 2);
    put32(s, static_cast<std::uint32_t>(height));
    put16(s, 1);
    put16(s, 24);
    put32(s, 0);
    put32(s, 16);
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    // Rows bottom up, blue-green-red, padded to four bytes.
    s += std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8);
    s += std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);
    return s;
}

std::vector<std::uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<std::uint8_t>(b));
    return v;
}

class ImageTest : public ::testing::Test {
  protected:
    int load(const std::string& content, int flip = 1) {
        testing::write_file(dir_ / "picture.bmp", content);
        return cpwLoadImage(nullptr, &image_, CPW_IMAGEFORMAT_BMP, (dir_ / "picture.bmp").string(),
                            flip);
    }
    testing::TempDir dir_;
    CpwImage image_;
};

TEST_F(ImageTest, PixelsComeAsRgbRowsInTheOrderAsked) {
    ASSERT_NE(load(two_by_two_bmp(), 0), 0);
    EXPECT_EQ(image_.width, 2);
    EXPECT_EQ(image_.height, 2);
    EXPECT_EQ(image_.depth, 3);
    EXPECT_EQ(image_.data, bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));

    ASSERT_NE(load(two_by_two_bmp(), 1), 0);
    EXPECT_EQ(image_.data, bytes({0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}));
    cpwFreeImage(nullptr, &image_);
    EXPECT_TRUE(image_.data.empty());
    EXPECT_EQ(image_.width, 0);
}

TEST_F(ImageTest, ShippedInsectPictureLoads) {
    const auto file = testing::env_folder("KALVEO_DATA_DIR") / "moustique.bmp";
    ASSERT_NE(cpwLoadImage(nullptr, &image_, CPW_IMAGEFORMAT_BMP, file.string(), 1), 0);
    EXPECT_EQ(image_.width, 64);
    EXPECT_EQ(image_.height, 64);
    EXPECT_EQ(image_.depth, 3);
    EXPECT_EQ(image_.data.size(), 64U * 64U * 3U);
}

TEST_F(ImageTest, DamagedFilesLoadNothing) {
    const std::string good = two_by_two_bmp();
    for (const std::string& bad :
         {std::string(), std::string("BM"), good.substr(0, 30), good.substr(0, 60),
          std::string(500, '\xFF'), std::string("not a picture\r\n")}) {
        image_.width = 7;
        EXPECT_EQ(load(bad), 0) << bad.size();
        EXPECT_EQ(image_.width, 0);
        EXPECT_TRUE(image_.data.empty());
    }
}

TEST_F(ImageTest, AbsurdSizeInTheHeaderIsRefused) {
    std::string huge = two_by_two_bmp();
    huge.replace(18, 4, std::string("\xFF\xFF\x00\x00", 4)); // 65535 pixels wide
    EXPECT_EQ(load(huge), 0);
    EXPECT_TRUE(image_.data.empty());
}

TEST_F(ImageTest, MissingFileAndOtherFormatsLoadNothing) {
    EXPECT_EQ(cpwLoadImage(nullptr, &image_, CPW_IMAGEFORMAT_BMP, (dir_ / "none.bmp").string(), 1),
              0);
    testing::write_file(dir_ / "picture.bmp", two_by_two_bmp());
    EXPECT_EQ(cpwLoadImage(nullptr, &image_, 1, (dir_ / "picture.bmp").string(), 1), 0);
    EXPECT_EQ(
        cpwLoadImage(nullptr, nullptr, CPW_IMAGEFORMAT_BMP, (dir_ / "picture.bmp").string(), 1), 0);
}

} // namespace
} // namespace kalveo
