// The one way an edit ends.

#include "model/LattixDoc.h"

void CLattixDoc::RecomputeDerived(Derived what) {
    if (Has(what, Derived::CrossingsAlways) || (Has(what, Derived::Crossings) && m_autoCrossings)) CountCrossings();
    if (Has(what, Derived::UlpCounts)) RecomputeUlpCounts(false);
    if (Has(what, Derived::Upward)) ColorUpwardEdges();
    if (Has(what, Derived::Sefe)) UpdateSefe();
}

void CLattixDoc::CommitEdit(EditEnd how) {
    if (!how.derivedAfterCheckPoint) RecomputeDerived(how.derived);
    CheckPoint();
    SetModifiedFlag(true);
    if (how.derivedAfterCheckPoint) RecomputeDerived(how.derived);
    if (how.repaint) RepaintAllViews();
}
