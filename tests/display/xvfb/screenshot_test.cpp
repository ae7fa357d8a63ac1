// Text drawn into a window, read back from the frame.
#include "cpw/cpw_font.h"
#include "xvfb_fixture.h"

#include <SDL_opengl.h>
#include <cstdlib>
#include <vector>

namespace kalveo::testing {
namespace {

struct Pixel {
    int r, g, b;
};

class ScreenshotTest : public XvfbTest {
  protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 80;

    void SetUp() override {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, kWidth, kHeight);
        id_ = cpwCreateWindow(cpw, "screenshot");
        ASSERT_NE(id_, 0U);
        face_ = cpwLoadFont(cpw, "arialbd.ttf", CPW_FONTLOC_HOST, "");
        ASSERT_NE(face_, nullptr);
        cpwFontMode(cpw, CPW_FONTOPT_SIZE, 32);
        cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP_GLFORMAT, CPW_GL_RGBA);
    }

    /// Draws `text` from (x, y) (window pixels from the bottom left) on white in `colour`
    /// and reads the frame back.
    void render(const char* text, float x, float y, const float colour[4]) {
        cpwDisplayCallback(cpw, [&](pCpw c, CpwWindowId w) {
            glClearColor(1, 1, 1, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glColor4fv(colour);
            cpw_window_pos(c, x, y);
            drawn_ = cpwDrawFont(c, face_, text, 1);
            frame_.assign(static_cast<std::size_t>(kWidth * kHeight * 4), 0);
            glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame_.data());
            cpwSwapWindowBuffers(c, w);
            cpwBreakMainLoop(c);
        });
        run_loop();
    }

    [[nodiscard]] Pixel at(int x, int y) const {
        const std::size_t i =
            (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 4;
        return {frame_[i], frame_[i + 1], frame_[i + 2]};
    }

    CpwWindowId id_ = 0;
    CpwFontFace face_ = nullptr;
    bool drawn_ = false;
    std::vector<unsigned char> frame_;
};

bool is_white(const Pixel& p) {
    return p.r == 255 && p.g == 255 && p.b == 255;
}

TEST_F(ScreenshotTest, GlyphPixelsCarryTheDrawingColourInsideTheTextBox) {
    const float blue[4] = {0.0F, 0.0F, 1.0F, 1.0F};
    CpwFontBBox box;
    ASSERT_TRUE(cpwGetFontBBox(cpw, face_, "VNE 270", &box));
    const int x0 = 20;
    const int baseline = 30;
    render("VNE 270", x0, baseline, blue);
    ASSERT_TRUE(drawn_);

    int solid = 0;
    int touched = 0;
    int outside = 0;
    int other_colour = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Pixel p = at(x, y);
            if (is_white(p)) continue;
            ++touched;
            // Only the text's box is drawn on.
            if (x < x0 - 2 || x > x0 + box.width + 2 || y < baseline - box.offsety - 2 ||
                y > baseline + box.height + 2) {
                ++outside;
            }
            // Blue blended over white: red and green fall together, blue stays the strongest.
            if (std::abs(p.r - p.g) > 1 || p.b < p.r) ++other_colour;
            if (p.r < 10 && p.b > 245) ++solid;
        }
    }
    EXPECT_GT(touched, 200);
    EXPECT_GT(solid, 100);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(other_colour, 0);
}

TEST_F(ScreenshotTest, GreenTextAtHalfStrengthBlendsAsItsCoverage) {
    const float green[4] = {0.0F, 0.5F, 0.0F, 1.0F};
    render("HHH", 10, 20, green);
    ASSERT_TRUE(drawn_);
    int solid = 0;
    int other_colour = 0;
    int wrong_strength = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Pixel p = at(x, y);
            if (is_white(p)) continue;
            if (p.r != p.b || p.g < p.r) ++other_colour;
            // A fully covered pixel: green 0.5 at alpha 1 replaces the white entirely.
            if (p.r == 0) {
                ++solid;
                if (std::abs(p.g - 127) > 1) ++wrong_strength;
            }
        }
    }
    EXPECT_GT(solid, 50);
    EXPECT_EQ(other_colour, 0);
    EXPECT_EQ(wrong_strength, 0);
}

TEST_F(ScreenshotTest, TextStartingLeftOfTheWindowStillShowsItsVisiblePart) {
    const float black[4] = {0.0F, 0.0F, 0.0F, 1.0F};
    render("HHHHHH", -30, 20, black);
    ASSERT_TRUE(drawn_);
    int dark = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < 10; ++x)
            dark += at(x, y).r < 50 ? 1 : 0;
    }
    EXPECT_GT(dark, 20);
}

TEST_F(ScreenshotTest, EmptyStringDrawsNothing) {
    const float black[4] = {0.0F, 0.0F, 0.0F, 1.0F};
    render("", 20, 20, black);
    ASSERT_TRUE(drawn_);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            ASSERT_TRUE(is_white(at(x, y)));
    }
}

} // namespace
} // namespace kalveo::testing
