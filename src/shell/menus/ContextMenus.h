#pragma once
// Shows the editor's right-button menu and answers with the command chosen.

#include <QPoint>

struct ContextMenu;
class QWidget;

// The id of the command chosen from `menu` shown at the global position, or 0.
int ShowContextMenu(const ContextMenu& menu, QPoint globalPos, QWidget* parent);
