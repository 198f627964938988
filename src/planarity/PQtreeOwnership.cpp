#include "model/LattixDoc.h"
#include "planarity/PQtree.h"

void PQtreeDeleter::operator()(CPQtree* tree) const { delete tree; }
