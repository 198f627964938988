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
    case kEditCut: return Letter("X");
    case kEditCopy: return Letter("C");
    case kEditPaste: return Letter("V");
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
    case kSnapToGuides: return Letter("S");
    case kLockToTracks: return Letter("L");
    default: return {};
    }
}
