#include "automorphisms_account.h"

#include "item_lines.h"
#include "procedure_texts.h"

#include "algorithms/long_run.h"

#include "model/text_utils.h"

#include <string>

namespace plax {

namespace {

// Formatted straight into the sink's listing room: 15 points may have 15! automorphisms.
void WriteAutomorphism(ResultsSink& sink, const AutomorphismFind& find) {
    const std::size_t n = find.image.size();
    char* o = PutText(sink.ListingRoom(), "    ");
    o = WriteRightAligned(o, static_cast<long long>(find.counter), 3);
    o = PutText(o, "  (");
    for (std::size_t p = 1; p <= n; ++p) {
        *o++ = ' ';
        o = PutPoint(o, find.image[p - 1]);
        *o++ = p == n ? ')' : ',';
        if (p % 15 == 0 || p == n) o = PutText(o, p == n ? "\n" : "\n          ");
    }
    sink.LinesWritten(o);
}

} // namespace

void Automorphisms(NetWorkType& net, AutomorphismOrder order, const std::string& fileName,
                   ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("            Automorphism Group", net);
        LongRun run(out.sink, net);
        const AutomorphismsResult result = SearchAutomorphisms(
            net, order, out.sink, [&](const AutomorphismFind& find) { WriteAutomorphism(out.sink, find); });
        if (!result.complete) {
            out.sink.AddLine(ProcedureTerminatedLine);
        } else if (result.count == 1) {
            out.sink.AddLine("    Identity Automorphism Group!");
        }
        run.End();
    });
}

} // namespace plax
