#include "random/RandomTreeCommand.h"

#include "model/LattixDoc.h"
#include "random/AttemptEstimate.h"

GenerateOutcome RunRandomTreeCommand(CLattixDoc& doc, RandomTreeMethod method, const RandomTreeOptions& options) {
    LcgRandom& random = SharedRandom();
    random.Seed(doc.Platform().TickCount());
    // The dialog opens with the default size every time; the size is not remembered.
    const std::optional<std::int32_t> n = doc.Platform().RunRandomTreeDialog(doc.m_randomTreeSize);
    if (!n || *n < kMinRandomTreeSize || *n > kMaxRandomTreeSize) return GenerateOutcome::Cancelled;

    // A sampler that would run for hours says so first and offers the direct method.
    if (const double log2Attempts = Log2ExpectedAttempts(method, *n); log2Attempts > kLog2AttemptWarning)
        if (doc.Platform().AskOkCancel(LongRejectionQuestion(log2Attempts, *n))) method = RandomTreeMethod::Wilf;

    RandomTreeGenerator generator(doc, random, options);
    const GenerateOutcome outcome = generator.Generate(method, *n);
    if (outcome != GenerateOutcome::Added) return outcome;

    // The modes' derived data follows the new edges too, as after any other edit.
    doc.CommitEdit({.derived = Derived::CrossingsAlways | Derived::ModeData, .derivedAfterCheckPoint = true});
    return outcome;
}

void CLattixDoc::OnRandomLabeledTree() { RunRandomTreeCommand(*this, RandomTreeMethod::Labeled); }
void CLattixDoc::OnRandomRootedTree() { RunRandomTreeCommand(*this, RandomTreeMethod::Rooted); }
void CLattixDoc::OnFreeTreeFromLabeled() { RunRandomTreeCommand(*this, RandomTreeMethod::FreeFromLabeled); }
void CLattixDoc::OnFreeTreeFromRooted() { RunRandomTreeCommand(*this, RandomTreeMethod::FreeFromRooted); }
void CLattixDoc::OnFreeTreeWilf() { RunRandomTreeCommand(*this, RandomTreeMethod::Wilf); }
