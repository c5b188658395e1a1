#include "max_capacity_path_account.h"

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
        out.sink.AddLine("    Source = " + std::to_string(result.source) +
                         "    Sink = " + std::to_string(result.sink));
        out.sink.AddLine("");
        out.sink.AddLine("    Max. Capacity = " + ResultNumber(result.capacity));
        out.sink.AddLine("");
    });
    return result.capacity;
}

} // namespace plax
