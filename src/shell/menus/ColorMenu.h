#pragma once
// The colour menu: fifteen owner-drawn entries (ids 101..115), each a check-mark column,
// a swatch of the colour and its name.

#include <QMenu>

#include <functional>
#include <vector>

#include "model/Colors.h"

class CColorMenu final : public QMenu {
    Q_OBJECT
public:
    explicit CColorMenu(const QString& title, QWidget* parent = nullptr);

    // Puts the check mark on the entries whose colour is rgb (several may carry one).
    void CheckColor(Rgb rgb);
    void ClearChecks();
    // The colour id of an action of this menu, or 0.
    static int ColorIdOf(const QAction* action);
    // The colour id chosen while the menu was open, or 0. A colour chosen in a submenu
    // closes every open menu, so whoever opened the top menu reads the choice here.
    int ChosenId() const { return m_chosen; }

private:
    int m_chosen = 0;
};
