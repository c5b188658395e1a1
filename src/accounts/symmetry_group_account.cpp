#include "symmetry_group_account.h"

#include "algorithms/graph_utils.h"

#include <string>

namespace plax {

namespace {

constexpr std::uint64_t LongListing = 100000;

std::string OrbitText(const std::vector<int>& orbit) {
    std::string text = "    {";
    for (std::size_t k = 0; k < orbit.size(); ++k)
        text += (k == 0 ? "" : ",") + std::to_string(orbit[k]);
    return text + "}";
}

void MarkOrbits(const SymmetryGroup& group, MarkingBuffer& marks) {
    std::size_t colour = 0;
    for (const std::vector<int>& orbit : group.orbits) {
        if (orbit.size() < 2) continue;
        // White is the background: the fifteen others go round.
        const std::size_t index = colour++ % (ProcedureColors.size() - 1);
        for (int p : orbit) {
            marks.pointColor[static_cast<std::size_t>(p)] = ProcedureColors[index];
            marks.pointIndex[static_cast<std::size_t>(p)] = static_cast<std::uint16_t>(index + 1);
        }
    }
}

} // namespace

std::string CycleNotation(const std::vector<int>& image) {
    std::string text;
    std::vector<bool> seen(image.size() + 1, false);
    for (int p = 1; p <= static_cast<int>(image.size()); ++p) {
        if (seen[static_cast<std::size_t>(p)] || image[static_cast<std::size_t>(p - 1)] == p) continue;
        text += "(";
        for (int q = p; !seen[static_cast<std::size_t>(q)]; q = image[static_cast<std::size_t>(q - 1)]) {
            seen[static_cast<std::size_t>(q)] = true;
            text += (q == p ? "" : " ") + std::to_string(q);
        }
        text += ")";
    }
    return text.empty() ? "()" : text;
}

void FindSymmetryGroup(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                       ProcedureOutput out) {
    marks.Clear();
    const SymmetryGroup group = ComputeSymmetryGroup(net);
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    bool written = false;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("            Symmetry Group", net);
        out.sink.AddLine("    Order of the group : " + std::to_string(group.order));
        out.sink.AddLine("        Orbits of the Points:");
        for (const std::vector<int>& orbit : group.orbits)
            out.sink.AddLine(OrbitText(orbit));
        if (group.generators.empty()) {
            out.sink.AddLine("    Identity Automorphism Group!");
        } else {
            out.sink.AddLine("        Generators:");
            for (const std::vector<int>& g : group.generators)
                out.sink.AddLine("    " + CycleNotation(g));
        }
        written = true;
    });
    if (written) MarkOrbits(group, marks);
}

std::optional<std::string> LongListingQuestion(const NetWorkType& net) {
    const std::uint64_t order = ComputeSymmetryGroup(net).order;
    if (order <= LongListing) return std::nullopt;
    return "The group has " + std::to_string(order) + " automorphisms. List them all?";
}

} // namespace plax
