#pragma once
// The classification's searches on copies of the elements, for comparison.

class CLattixDoc;

bool ReferenceIsRadius2Star(CLattixDoc& doc);
bool ReferenceWitnessL(CLattixDoc& doc);
bool ReferenceWitnessF1(CLattixDoc& doc);
bool ReferenceWitnessF2(CLattixDoc& doc);
