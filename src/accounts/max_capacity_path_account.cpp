#include "max_capacity_path_account.h"

#include "item_lines.h"

#include "model/text_utils.h"

namespace plax {

double MaxCapacityPath(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                       ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return NoCapacityPath;
    const MaxCapacityResult result = ComputeMaxCapacity(net);
    marks.Clear();
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Max. Capacity Path ", net);
        out.sink.AddLine("");
        WriteSourceAndSink(out.sink, result.source, result.sink);
        out.sink.AddLine("");
        WriteNumberLine(out.sink, "    Max. Capacity = ", result.capacity);
        out.sink.AddLine("");
    });
    return result.capacity;
}

} // namespace plax
