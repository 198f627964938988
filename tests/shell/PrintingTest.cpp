// Pages as printed: the drawing fitted to the page, or at actual size from the canvas origin.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "QtTestApp.h"
#include "model/LattixDoc.h"
#include "shell/Printing.h"
#include "shell/views/EditorView.h"

namespace {

// The box of the pixels that are not white, or an empty rectangle.
QRect Inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}

QImage Page(EditorView& view, bool actualSize) {
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintPage(view, painter, page.rect(), 1.0, actualSize);
    return page;
}

} // namespace

TEST(Printing, TheDrawingIsFittedToThePageUnlessActualSizeIsAsked) {
    Started s;
    ASSERT_TRUE(s.ok);
    auto* view = dynamic_cast<EditorView*>(s.frame().ActiveView());
    ASSERT_NE(view, nullptr);
    CLattixDoc& doc = *view->GetDocument();
    // A drawing far from the canvas origin, twice as wide as high.
    auto* a = new CVertex(2000, 2000, ColorIdToRgb(kColorIdBlue));
    auto* b = new CVertex(2800, 2400, ColorIdToRgb(kColorIdBlue));
    doc.AddElement(a);
    doc.AddElement(b);
    doc.AddElement(new CEdge(a, b, kEdgeBlack));

    // Fitted: the drawing spans the page's width, centred.
    const QRect fitted = Inked(Page(*view, false));
    ASSERT_FALSE(fitted.isEmpty());
    EXPECT_GT(fitted.width(), 360);
    EXPECT_NEAR(fitted.center().x(), 200, 4);
    EXPECT_NEAR(fitted.center().y(), 150, 4);

    // At actual size the page shows the canvas from its origin, where nothing is drawn.
    EXPECT_TRUE(Inked(Page(*view, true)).isEmpty());
    doc.m_zoomIndex = 0; // at 10 % the drawing comes within the page
    EXPECT_FALSE(Inked(Page(*view, true)).isEmpty());
}
