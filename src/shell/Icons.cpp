#include "shell/Icons.h"

#include <QPainter>
#include <QPainterPath>

#include "editor/CommandIds.h"
#include "model/Colors.h"
#include "shell/formats/QPainterDrawTarget.h"

namespace {

constexpr int kSize = 16;

template <typename Paint>
QIcon Drawn(Paint paint, int size = kSize) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return QIcon(pixmap);
}

QIcon EdgeTool(int code) {
    return Drawn([code](QPainter& p) {
        p.setPen(QPen(ToQColor(ColorOfEdgeCode(code)), 2.5));
        p.drawLine(2, 13, 13, 2);
    });
}

QIcon EdgeToggle(int code) {
    return Drawn([code](QPainter& p) {
        p.setPen(QPen(ToQColor(ColorOfEdgeCode(code)), 2));
        p.drawLine(1, 12, 7, 3);
        p.drawLine(7, 3, 14, 12);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4.5, 0.5, 5, 5));
    });
}

QIcon Letter(const QString& text, QColor color = Qt::black) {
    return Drawn([text, color](QPainter& p) {
        QFont f("Sans");
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(color);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
    });
}

} // namespace

QIcon AppIcon() {
    return Drawn(
        [](QPainter& p) {
            p.setPen(QPen(QColor(32, 32, 255), 3));
            p.drawLine(16, 12, 8, 38);
            p.drawLine(16, 12, 40, 38);
            p.setPen(QPen(QColor(216, 16, 16), 3));
            p.drawLine(40, 38, 24, 38);
            p.setPen(QPen(QColor(7, 0, 0), 1.5));
            p.setBrush(QColor(32, 32, 255));
            for (QPointF c : {QPointF(16, 12), QPointF(8, 38), QPointF(40, 38), QPointF(24, 38)})
                p.drawEllipse(c, 6, 6);
        },
        48);
}

QPixmap AboutPicture() {
    QPixmap pixmap(220, 80);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (int y = 15; y < 80; y += 25) p.drawLine(0, y, 220, y);
    const QPointF level0(110, 15), a(50, 40), b(170, 40), c(20, 65), d(80, 65), e(200, 65);
    p.setPen(QPen(QColor(32, 32, 255), 2));
    for (auto [u, v] : {std::pair{level0, a}, {level0, b}, {a, c}, {a, d}, {b, e}}) p.drawLine(u, v);
    p.setPen(QPen(QColor(7, 0, 0), 1));
    p.setBrush(QColor(32, 32, 255));
    for (QPointF v : {level0, a, b, c, d, e}) p.drawEllipse(v, 7, 7);
    return pixmap;
}

QIcon CommandIcon(int id) {
    using namespace cmd;
    switch (id) {
    case kFileNew:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawRect(3, 1, 10, 14);
        });
    case kFileOpen:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::black);
            p.setBrush(QColor(255, 210, 90));
            p.drawRect(1, 4, 14, 10);
        });
    case kFileSave:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::black);
            p.setBrush(QColor(60, 60, 160));
            p.drawRect(1, 1, 14, 14);
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 8, 5);
        });
    case kFilePrint:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::black);
            p.setBrush(QColor(190, 190, 190));
            p.drawRect(1, 6, 14, 7);
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 8, 5);
        });
    case kEditCut:
        return Drawn([](QPainter& p) {
            // Scissors: two blades crossing, two round handles below.
            p.setPen(QPen(QColor(70, 70, 70), 1.5));
            p.drawLine(QPointF(5, 1), QPointF(10, 10));
            p.drawLine(QPointF(11, 1), QPointF(6, 10));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(2, 10, 4.5, 4.5));
            p.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
        });
    case kEditCopy:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(70, 70, 70));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 1.5, 8, 10));
            p.drawRect(QRectF(6.5, 4.5, 8, 10));
            p.setPen(QColor(140, 140, 200));
            for (int y = 7; y <= 12; y += 2) p.drawLine(8, y, 13, y);
        });
    case kEditPaste:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(90, 60, 20));
            p.setBrush(QColor(200, 150, 80));
            p.drawRect(QRectF(1.5, 2.5, 11, 12));
            p.setBrush(QColor(150, 150, 150));
            p.drawRect(QRectF(4.5, 0.5, 5, 3));
            p.setPen(QColor(70, 70, 70));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 6.5, 8, 9));
        });
    case cmd::kToolPointer:
        return Drawn([](QPainter& p) {
            QPainterPath arrow;
            arrow.moveTo(4, 1);
            arrow.lineTo(4, 14);
            arrow.lineTo(7, 10);
            arrow.lineTo(11, 12);
            arrow.lineTo(8, 8);
            arrow.lineTo(12, 7);
            arrow.closeSubpath();
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawPath(arrow);
        });
    case cmd::kToolVertex:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(7, 0, 0));
            p.setBrush(QColor(32, 32, 255));
            p.drawEllipse(QRectF(2, 2, 12, 12));
        });
    case kToolBlueEdge: return EdgeTool(kEdgeBlue);
    case kToolRedEdge: return EdgeTool(kEdgeRed);
    case kToolGreenEdge: return EdgeTool(kEdgeGreen);
    case kToolYellowEdge: return EdgeTool(kEdgeYellow);
    case kToolOrangeEdge: return EdgeTool(kEdgeOrange);
    case kToolCyanEdge: return EdgeTool(kEdgeCyan);
    case kToolPurpleEdge: return EdgeTool(kEdgePurple);
    case kToolBlackEdge: return EdgeTool(kEdgeBlack);
    case kVertexColorButton:
        return Drawn([](QPainter& p) {
            const QColor colors[4] = {QColor(32, 32, 255), QColor(216, 16, 16), QColor(0, 160, 0), QColor(248, 248, 0)};
            for (int i = 0; i < 4; ++i) p.fillRect(QRect((i % 2) * 8, (i / 2) * 8, 8, 8), colors[i]);
        });
    case kShowBlue: return EdgeToggle(kEdgeBlue);
    case kShowRed: return EdgeToggle(kEdgeRed);
    case kShowGreen: return EdgeToggle(kEdgeGreen);
    case kShowYellow: return EdgeToggle(kEdgeYellow);
    case kShowOrange: return EdgeToggle(kEdgeOrange);
    case kShowCyan: return EdgeToggle(kEdgeCyan);
    case kShowPurple: return EdgeToggle(kEdgePurple);
    case kShowBlack: return EdgeToggle(kEdgeBlack);
    case kSwapAdjacency: return Letter("⇄");
    case kShowGrid:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(120, 120, 120));
            for (int i = 2; i < 16; i += 4) {
                p.drawLine(i, 0, i, 16);
                p.drawLine(0, i, 16, i);
            }
        });
    case kShowTracks:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(120, 120, 120));
            for (int i = 2; i < 16; i += 4) p.drawLine(0, i, 16, i);
        });
    case kSnapToGuides:
        return Drawn([](QPainter& p) {
            // A vertex pulled onto the nearest guide line.
            p.setPen(QColor(120, 120, 120));
            p.drawLine(0, 11, 16, 11);
            p.setPen(QPen(QColor(200, 40, 40), 1.2));
            p.drawLine(QPointF(8, 1), QPointF(8, 6));
            p.drawLine(QPointF(5.5, 3.5), QPointF(8, 6));
            p.drawLine(QPointF(10.5, 3.5), QPointF(8, 6));
            p.setPen(Qt::black);
            p.setBrush(QColor(32, 32, 255));
            p.drawEllipse(QRectF(5, 8, 6, 6));
        });
    case kLockToTracks:
        return Drawn([](QPainter& p) {
            // A padlock on a track.
            p.setPen(QColor(120, 120, 120));
            p.drawLine(0, 14, 16, 14);
            p.setPen(QPen(QColor(70, 70, 70), 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(5, 1, 6, 8), 0, 180 * 16);
            p.drawLine(QPointF(5, 5), QPointF(5, 7));
            p.drawLine(QPointF(11, 5), QPointF(11, 7));
            p.setPen(QColor(90, 70, 10));
            p.setBrush(QColor(230, 180, 40));
            p.drawRect(QRectF(3.5, 6.5, 9, 6));
        });
    default: return {};
    }
}
