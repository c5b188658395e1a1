#include "euler_account.h"

#include "item_lines.h"

#include "model/text_utils.h"

#include <string>

namespace plax {

namespace {

std::size_t At(int p) { return static_cast<std::size_t>(p); }

std::string ModeText(EulerMode mode) { return mode == EulerMode::Cycle ? " Cycle " : " Path "; }

std::string NotConnectedMessage(EulerMode mode) {
    return "There isnt Eulerian" + ModeText(mode) + "\r\n" + "Graph not connected." + "\r\n" +
           "Procedure terminated! ";
}

std::string NoEulerianMessage(EulerMode mode) {
    return "Eulerian" + ModeText(mode) + "doesnt Exists!" + "\r\n" + "Procedure terminated! ";
}

void MarkViolations(const NetWorkType& net, const EulerResult& r, MarkingBuffer& marks) {
    for (int i = 1; i <= net.n; ++i) {
        if (!r.violating[At(i)]) continue;
        marks.pointColor[At(i)] = EulerViolationColor;
        marks.pointIndex[At(i)] = EulerViolationColorIndex;
    }
}

void WriteSequence(ResultsSink& sink, const std::vector<int>& points) {
    ListLines lines(sink, 14);
    std::string item;
    for (int p : points) {
        item.clear();
        AppendRightAligned(item, p, 3);
        item.push_back(' ');
        lines.Add(item);
    }
    lines.Flush();
}

} // namespace

bool Euler(const NetWorkType& net, EulerMode mode, MarkingBuffer& marks, const std::string& fileName,
           ProcedureOutput out) {
    marks.Clear();
    const EulerResult r = ComputeEuler(net, mode);
    if (!r.connected) {
        out.messages.Warning(NotConnectedMessage(mode));
        return false;
    }
    MarkViolations(net, r, marks);
    if (!r.exists) {
        out.messages.Warning(NoEulerianMessage(mode));
        return false;
    }
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return false;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Eulerian" + ModeText(mode), net);
        out.sink.AddLine("");
        out.sink.AddLine("    Source = " + std::to_string(r.start));
        out.sink.AddLine("");
        out.sink.AddLine("    Eulerian" + ModeText(mode) + ":");
        WriteSequence(out.sink, r.sequence);
        out.sink.AddLine("    ");
    });
    return true;
}

} // namespace plax
