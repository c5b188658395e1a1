#pragma once

#include "document_context.h"

#include "algorithms/marking_buffer.h"
#include "catalogue/procedure_table.h"
#include "accounts/results_sink.h"

namespace plax {

// The colours a document marks procedure findings with.
inline constexpr Color MarkRed = 0x0000FF;   // found paths and trees, the source point
inline constexpr Color MarkGreen = 0x008000; // reachable points, the start point after a run
inline constexpr Color MarkBlue = 0xFF0000;  // the sink point

// A procedure is in progress in this document or, while a long run polls, anywhere.
bool ProcedureRunning(DocumentContext& document);
// Shows "Procedure in Progress!..." and answers true when a procedure is in progress.
[[nodiscard]] bool RefuseWhileRunning(DocumentContext& document);
[[nodiscard]] bool RefuseWhileRunning(const NetWorkType& net, DocumentHost& host);
// Shows the entry's refusal for this net, if it has one, in its kind of box; answers whether it did.
[[nodiscard]] bool RefuseEntry(DocumentContext& document, const ProcedureEntry& entry);
// Redrawing in the normal colours stores them, which removes the marks of an earlier run.
void RedrawNormal(DocumentContext& document);
// A fresh Results window and the frame's dialogs, for one run.
ProcedureOutput NewRunOutput(DocumentContext& document);
// The marking buffer's edges in red (up to the first empty entry, at most N of them).
void ColorMarkedEdges(NetWorkType& net, const MarkingBuffer& marks);
// Runs the procedure as a step named after it: the flows, reserves, lengths or tokens it writes
// can be undone. The colours it is then marked with are no step.
void RunAsStep(DocumentContext& document, const ProcedureEntry& entry, ProcedureRun& run);
// Stores in the net the colours of what the run found, as `marking` says.
void MarkResult(DocumentContext& document, Marking marking, ProcedureRun& run);

} // namespace plax
