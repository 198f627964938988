#include "shell/menus/ColorMenu.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidgetAction>

#include "editor/CommandIds.h"

namespace {

QString NameOf(int id) {
    const std::string_view name = ColorIdName(id);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

constexpr int kRightMargin = 8;

// One entry: the whole row is painted here, as the colour menu has always been drawn.
class ColorEntry final : public QWidget {
public:
    ColorEntry(int id, QAction* action, QWidget* parent) : QWidget(parent), m_id(id), m_action(action) {
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
    }

    QSize sizeHint() const override {
        const QFontMetrics fm(font());
        const int check = CheckSize();
        // The name, a check mark and 50 for the swatch and the gaps, plus the margin that
        // the menu's frame takes from the last entry's right edge.
        return {fm.horizontalAdvance(NameOf(m_id)) + check + 50 + kRightMargin, std::max(fm.height(), check) + 4};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const bool selected = underMouse();
        const QPalette& pal = palette();
        p.fillRect(rect(), selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Window));
        const int check = CheckSize();
        if (m_action->isChecked()) {
            // Drawn by hand: some styles draw no menu check mark outside a real menu item.
            const QRectF box(2, (height() - check) / 2.0, check - 2, check);
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText), 1.8,
                          Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({box.topLeft() + QPointF(box.width() * 0.15, box.height() * 0.55),
                                      box.topLeft() + QPointF(box.width() * 0.4, box.height() * 0.8),
                                      box.topLeft() + QPointF(box.width() * 0.9, box.height() * 0.2)}));
            p.restore();
        }
        const Rgb rgb = ColorIdToRgb(m_id);
        const QRect swatch(check + 5, 2, 40, height() - 4);
        p.fillRect(swatch, QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
        p.setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText));
        p.drawText(QRect(swatch.left() + 45, 0, width() - swatch.left() - 45, height()), Qt::AlignVCenter | Qt::AlignLeft,
                   NameOf(m_id));
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_action->trigger(); }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    int CheckSize() const { return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this); }

    int m_id;
    QAction* m_action;
};

} // namespace

CColorMenu::CColorMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    for (int id = cmd::kColorFirst; id <= cmd::kColorLast; ++id) {
        auto* action = new QWidgetAction(this);
        action->setCheckable(true);
        action->setData(id);
        action->setText(NameOf(id));
        action->setDefaultWidget(new ColorEntry(id, action, this));
        connect(action, &QAction::triggered, this, [this, id] {
            m_chosen = id;
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
        addAction(action);
    }
}

void CColorMenu::ClearChecks() {
    for (QAction* a : actions()) a->setChecked(false);
}

void CColorMenu::CheckColor(Rgb rgb) {
    for (QAction* a : actions())
        if (ColorIdToRgb(a->data().toInt()) == rgb) a->setChecked(true);
}

int CColorMenu::ColorIdOf(const QAction* action) {
    const int id = action ? action->data().toInt() : 0;
    return id >= cmd::kColorFirst && id <= cmd::kColorLast ? id : 0;
}
