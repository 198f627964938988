// Pictures drawn through the QPainter target: what lands on the pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "QtTestApp.h"
#include "editor/ElementDrawing.h"
#include "shell/formats/DrawingExport.h"
#include "shell/formats/QPainterDrawTarget.h"
#include "support/TestDoc.h"

namespace {
QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
} // namespace

TEST(PainterPictures, VerticesEdgesAndTracksLandOnTheirPixels) {
    TestApp();
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 100, "b");
    t.Edge(a, b, kEdgeRed);
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_clientWidth = 400;
    t.view->m_clientHeight = 300;
    const QImage image = RenderViewImage(t.d(), t.view.get(), {0, 0}, 400, 300, true);

    // Off the label, inside the disc: the blue fill.
    EXPECT_EQ(At(image, 100, 88), QColor(32, 32, 255));
    // The middle of the edge: red.
    EXPECT_EQ(At(image, 200, 100), QColor(216, 16, 16));
    // A track line at y = 30, away from anything else: light grey.
    EXPECT_EQ(At(image, 380, 30), QColor(200, 200, 200));
    // Between tracks the paper stays white.
    EXPECT_EQ(At(image, 380, 45), QColor(Qt::white));

    // Scrolled by 50 pixels both ways the disc moves with the canvas.
    const QImage scrolled = RenderViewImage(t.d(), t.view.get(), {50, 50}, 400, 300, true);
    EXPECT_EQ(At(scrolled, 50, 38), QColor(32, 32, 255));
}

TEST(PainterPictures, ZoomScalesTheDrawing) {
    TestApp();
    TestDoc t;
    t.Vertex(100, 100, "a");
    t.d().m_zoomIndex = 12; // 200 %
    const QImage image = RenderViewImage(t.d(), t.view.get(), {0, 0}, 400, 300, false);
    EXPECT_EQ(At(image, 200, 176), QColor(32, 32, 255));
    EXPECT_EQ(At(image, 100, 100), QColor(Qt::white));
}

TEST(PainterPictures, InvertingDrawingTwiceRestoresThePicture) {
    TestApp();
    TestDoc t;
    t.Edge(t.Vertex(100, 100, "a"), t.Vertex(300, 200, "b"));
    QImage image = RenderViewImage(t.d(), t.view.get(), {0, 0}, 400, 300, false);
    const QImage before = image.copy();
    {
        QPainter painter(&image);
        QPainterDrawTarget target(painter);
        target.SetRasterOp(RasterOp::NotXor);
        target.SetPen(Pen{PenStyle::Dot, 1, MakeRgb(7, 0, 0), false});
        target.SetBrush(std::nullopt);
        target.Rectangle({50, 50, 350, 250});
        target.SetPen(Pen::Solid(2, ColorOfEdgeCode(kEdgeGreen)));
        target.Line({20, 280}, {380, 20});
    }
    EXPECT_NE(image, before);
    {
        QPainter painter(&image);
        QPainterDrawTarget target(painter);
        target.SetRasterOp(RasterOp::NotXor);
        target.SetPen(Pen{PenStyle::Dot, 1, MakeRgb(7, 0, 0), false});
        target.SetBrush(std::nullopt);
        target.Rectangle({50, 50, 350, 250});
        target.SetPen(Pen::Solid(2, ColorOfEdgeCode(kEdgeGreen)));
        target.Line({20, 280}, {380, 20});
    }
    EXPECT_EQ(image, before);
}

TEST(PainterPictures, FontsHaveTheAskedSizes) {
    TestApp();
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterDrawTarget target(painter);
    // Whichever face answers (Arial, a metric twin, or a fallback for a name no machine
    // has), the letters come out at the asked height and average width.
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    for (const char* face : {"Arial", "No Such Face On Any Machine"}) {
        target.SetFont(Font{face, 15, true, 0});
        EXPECT_NEAR(target.MeasureText("42").height, 15, 1) << face;
        for (int width : {8, 4}) {
            target.SetFont(Font{face, 15, false, width});
            EXPECT_NEAR(target.MeasureText(letters).width, 26 * width, 26 * width / 8) << face << " width " << width;
        }
    }
}

TEST(DrawingExport, AreaCoversTheDrawingWithItsMargin) {
    TestApp();
    TestDoc t;
    t.Vertex(100, 200, "a");
    t.Vertex(400, 250, "b");
    EXPECT_EQ(ExportArea(t.d(), 20), (Rect{100 - 15 - 6 - 20, 200 - 15 - 6 - 20, 400 + 15 + 6 + 20, 250 + 15 + 6 + 20}));
    std::string error;
    EXPECT_FALSE(ExportDrawing(t.d(), t.view.get(), "/tmp/arborix-test.bmp", {}, error));
    EXPECT_FALSE(error.empty());
}
