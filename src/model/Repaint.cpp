#include "model/LattixDoc.h"

void CLattixDoc::RepaintAllViews() {
    for (CDocView* view : m_views) view->Repaint();
}
