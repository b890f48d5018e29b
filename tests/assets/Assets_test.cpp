// The committed image files and the button bitmap compiled into the system.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shared/frmResources.h"
#include "ui/Assets.h"
#include "ui/Layout.h"

namespace {

std::vector<std::uint8_t> readAsset(std::string_view name)
{
    std::ifstream in(std::string(CORVANE_ASSETS_DIR) + "/" + std::string(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t little(const std::vector<std::uint8_t>& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes.at(at + static_cast<std::size_t>(i));
    return value;
}

std::uint32_t big32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | bytes.at(at + i);
    return value;
}

TEST(Assets, PicturesHaveTheirDesignedSizes)
{
    namespace a = corvane::ui::assets;
    const struct {
        std::string_view name;
        std::uint32_t width, height;
    } pictures[] = {
        {a::kLogo, 120, 50},          {a::kButtonFace, 112, 18},        {a::kButtonFaceDown, 112, 18},
        {a::kGradientFace, 337, 55},  {a::kGradientFaceDown, 336, 55},  {a::kHelpPicture, 696, 493},
        {a::kHandCursorPng, 32, 32},
    };
    for (const auto& picture : pictures) {
        const auto png = readAsset(picture.name);
        ASSERT_GE(png.size(), 24u) << picture.name;
        EXPECT_EQ(big32(png, 16), picture.width) << picture.name;
        EXPECT_EQ(big32(png, 20), picture.height) << picture.name;
    }
}

TEST(Assets, TheCursorIsA32By32MonochromeCursorWithItsHotSpotAt10And10)
{
    const auto cur = readAsset(corvane::ui::kHandCursorAsset);
    ASSERT_EQ(cur.size(), 326u);
    EXPECT_EQ(little(cur, 2, 2), 2u);  // a cursor, not an icon
    EXPECT_EQ(cur[6], 32);
    EXPECT_EQ(cur[7], 32);
    EXPECT_EQ(little(cur, 10, 2), 10u);
    EXPECT_EQ(little(cur, 12, 2), 10u);
    EXPECT_EQ(little(cur, 22 + 14, 2), 1u);  // bits per pixel
}

TEST(Assets, TheButtonBitmapIsThe824ByteFileAndTheCompiledCopyMatchesIt)
{
    const auto bmp = readAsset(corvane::ui::assets::kButtonBitmap);
    ASSERT_EQ(bmp.size(), 824u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(little(bmp, 2, 4), 824u);
    EXPECT_EQ(little(bmp, 10, 4), 54u);
    EXPECT_EQ(little(bmp, 18, 4), 16u);
    EXPECT_EQ(little(bmp, 22, 4), 16u);
    EXPECT_EQ(little(bmp, 28, 2), 24u);
    EXPECT_EQ(little(bmp, 30, 4), 0u);     // uncompressed
    EXPECT_EQ(little(bmp, 38, 4), 2835u);  // 72 dpi
    const auto compiled = corvane::shared::buttonBitmap();
    EXPECT_EQ(std::vector<std::uint8_t>(compiled.begin(), compiled.end()), bmp);
}

TEST(ResourceForm, HandsOutOneStableHandleThatLeadsToTheBitmap)
{
    const auto handle = frmResources::instance()->Picture1Handle();
    EXPECT_NE(handle, 0);
    EXPECT_EQ(frmResources::instance()->Picture1Handle(), handle);
    EXPECT_EQ(corvane::shared::pictureBits(handle).size(), 824u);
    EXPECT_TRUE(corvane::shared::pictureBits(0).empty());
    EXPECT_FALSE(frmResources::instance()->Loaded());
    frmResources::release();
    EXPECT_TRUE(corvane::shared::pictureBits(handle).empty());
}

} // namespace
