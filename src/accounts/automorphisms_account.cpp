#include "automorphisms_account.h"

#include "procedure_texts.h"

#include "algorithms/long_run.h"

#include "model/text_utils.h"

#include <string>

namespace plax {

namespace {

// `line` is only a buffer kept from one automorphism to the next.
void WriteAutomorphism(ResultsSink& sink, const AutomorphismFind& find, std::string& line) {
    const std::size_t n = find.image.size();
    line.assign(4, ' ');
    AppendRightAligned(line, static_cast<long long>(find.counter), 3);
    line += "  (";
    for (std::size_t p = 1; p <= n; ++p) {
        AppendRightAligned(line, find.image[p - 1], 3);
        line += p == n ? ')' : ',';
        if (p % 15 == 0 || p == n) {
            sink.AddLine(line);
            line.assign(10, ' ');
        }
    }
}

} // namespace

void Automorphisms(NetWorkType& net, AutomorphismOrder order, const std::string& fileName,
                   ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("            Automorphism Group", net);
        LongRun run(out.sink, net);
        std::string line;
        const AutomorphismsResult result =
            SearchAutomorphisms(net, order, out.sink, [&](const AutomorphismFind& find) {
                WriteAutomorphism(out.sink, find, line);
            });
        if (!result.complete) {
            out.sink.AddLine(ProcedureTerminatedLine);
        } else if (result.count == 1) {
            out.sink.AddLine("    Identity Automorphism Group!");
        }
        run.End();
    });
}

} // namespace plax
