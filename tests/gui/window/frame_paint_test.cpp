#include "frame_fixtures.h"
#include "gui/window/frame_paint.h"
#include "window_harness.h"

#include <QPainter>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace {
constexpr int kNothing = 7; // blue of the background the frame is painted on

struct Expected
{
    const char *region;
    QPoint dest;
    int tag;
    int srcX;
    int srcYMin, srcYMax; // a range where a stretch makes the exact row the painter's choice
};

QImage render(int SW, int SH)
{
    QImage target(SW, SH, QImage::Format_RGB32);
    target.fill(qRgb(1, 1, kNothing));
    QPainter painter(&target);
    const FramePictures pictures {coded::picture(13, 101, coded::kSkin),
                                  coded::picture(70, 69, coded::kButtons),
                                  coded::picture(160, 32, coded::kBanner)};
    paintFrame(painter, SW, SH, pictures);
    return target;
}

// Chosen points of each drawing step and the source pixel each must show.
std::vector<Expected> pointsFor(int SW, int SH)
{
    using namespace coded;
    const int midSide = (68 + SH - 6) / 2;
    return {
        {"top-left corner", {0, 0}, kSkin, 0, 0, 0},
        {"top-left corner", {5, 67}, kSkin, 5, 67, 67},
        {"top-left corner below the band", {4, 99}, kSkin, 4, 99, 99},
        {"top edge starts", {6, 0}, kSkin, 6, 0, 0},
        {"top edge stretched", {SW / 2, 50}, kSkin, 6, 50, 50},
        {"top edge ends", {SW - 7, 99}, kSkin, 6, 99, 99},
        {"top-right corner", {SW - 6, 0}, kSkin, 7, 0, 0},
        {"top-right corner", {SW - 1, 67}, kSkin, 12, 67, 67},
        {"top-right corner below the band", {SW - 4, 99}, kSkin, 9, 99, 99},
        {"left edge starts", {0, 68}, kSkin, 0, 68, 68},
        {"left edge stretched", {1, midSide}, kSkin, 1, 69, 94},
        {"left edge over the corner's foot", {2, 99}, kSkin, 2, 68, 95},
        {"left edge ends", {2, SH - 6}, kSkin, 2, 95, 95},
        {"right edge starts", {SW - 3, 68}, kSkin, 10, 68, 68},
        {"right edge stretched", {SW - 2, midSide}, kSkin, 11, 69, 94},
        {"right edge over the corner's foot", {SW - 1, 99}, kSkin, 12, 68, 95},
        {"right edge ends", {SW - 1, SH - 6}, kSkin, 12, 95, 95},
        {"bottom-left corner", {0, SH - 5}, kSkin, 0, 96, 96},
        {"bottom-left corner", {5, SH - 1}, kSkin, 5, 100, 100},
        {"bottom edge starts", {6, SH - 5}, kSkin, 6, 96, 96},
        {"bottom edge stretched", {SW / 2, SH - 3}, kSkin, 6, 98, 98},
        {"bottom edge ends", {SW - 7, SH - 1}, kSkin, 6, 100, 100},
        {"bottom-right corner", {SW - 6, SH - 5}, kSkin, 7, 96, 96},
        {"bottom-right corner", {SW - 1, SH - 1}, kSkin, 12, 100, 100},
        {"minimise button", {SW - 80, 2}, kButtons, 0, 0, 0},
        {"minimise button", {SW - 52, 21}, kButtons, 28, 19, 19},
        {"close button", {SW - 51, 2}, kButtons, 29, 0, 0},
        {"close button", {SW - 11, 21}, kButtons, 69, 19, 19},
        {"under the buttons", {SW - 30, 22}, kSkin, 6, 22, 22},
        {"banner", {10, 16}, kBanner, 0, 0, 0},
        {"banner", {169, 47}, kBanner, 159, 31, 31},
        {"left of the banner", {9, 16}, kSkin, 6, 16, 16},
        {"right of the banner", {170, 47}, kSkin, 6, 47, 47},
        {"content area left alone", {SW / 2, (100 + SH - 5) / 2}, kNothing, 1, 1, 1},
        {"content area left alone", {3, 100}, kNothing, 1, 1, 1},
        {"content area left alone", {SW - 4, SH - 6}, kNothing, 1, 1, 1},
    };
}
} // namespace

// Test names and messages show a size as "746x493".
void PrintTo(const QSize &size, std::ostream *out)
{
    *out << size.width() << "x" << size.height();
}

class FramePaint : public ::testing::TestWithParam<QSize>
{
};

TEST_P(FramePaint, EachRegionShowsItsSourcePixels)
{
    const int SW = GetParam().width();
    const int SH = GetParam().height();
    const QImage image = render(SW, SH);
    for (const Expected &e : pointsFor(SW, SH)) {
        const coded::Source source = coded::at(image, e.dest.x(), e.dest.y());
        SCOPED_TRACE(testing::Message() << e.region << " at (" << e.dest.x() << ", " << e.dest.y() << ") of "
                                        << SW << " x " << SH);
        EXPECT_EQ(source.tag, e.tag);
        EXPECT_EQ(source.x, e.srcX);
        EXPECT_GE(source.y, e.srcYMin);
        EXPECT_LE(source.y, e.srcYMax);
    }
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, FramePaint,
                         ::testing::Values(QSize(Form1::kClientWidth, Form1::kClientHeight),
                                           QSize(420, 180)));

TEST(FramePaint, MissingPicturesDrawNothing)
{
    QImage target(200, 120, QImage::Format_RGB32);
    target.fill(qRgb(1, 2, 3));
    QPainter painter(&target);
    paintFrame(painter, 200, 120, FramePictures {});
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(target.pixel(199, 119), qRgb(1, 2, 3));
}

// The real window: frameless, fixed client area, painting itself with the same routine.
TEST(FramePaint, WindowIsFramelessAndPaintsItsFrame)
{
    WindowHarness h;
    Form1 &form = h.open();
    form.Timer3->stop();
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.size(), QSize(746, 493));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.Image10.isNull());
    EXPECT_FALSE(form.Image9.isNull());
    EXPECT_FALSE(form.Image8.isNull());

    coded::useOn(form);
    const QImage shot = form.grab().toImage();
    const struct
    {
        QPoint dest;
        int tag, x, y;
    } points[] = {
        {{0, 0}, coded::kSkin, 0, 0},       {{745, 492}, coded::kSkin, 12, 100},
        {{400, 60}, coded::kSkin, 6, 60},   {{666, 2}, coded::kButtons, 0, 0},
        {{695, 2}, coded::kButtons, 29, 0}, {{10, 16}, coded::kBanner, 0, 0},
    };
    for (const auto &p : points) {
        const coded::Source source = coded::at(shot, p.dest.x(), p.dest.y());
        EXPECT_EQ(source.tag, p.tag) << p.dest.x() << ", " << p.dest.y();
        EXPECT_EQ(source.x, p.x) << p.dest.x() << ", " << p.dest.y();
        EXPECT_EQ(source.y, p.y) << p.dest.x() << ", " << p.dest.y();
    }
}
