#pragma once
// The PQ-tree window's view: the replay of the last planarity tests, drawn by DrawGraph
// in mode 2.

#include "model/DocView.h"
#include "shell/views/BufferedCanvas.h"

class PQtreeViewWidget final : public BufferedCanvas, public CPQtreeView {
    Q_OBJECT
public:
    explicit PQtreeViewWidget(QWidget* parent = nullptr) : BufferedCanvas(*this, parent) {}
    void Repaint() override { Invalidate(); }
    void ScrollTo(Point p) override { ScrollToPixel(p.x, p.y); }
};
