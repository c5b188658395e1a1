#include "hamiltonian_account.h"

#include "item_lines.h"
#include "procedure_texts.h"

#include "algorithms/long_run.h"
#include "algorithms/tour_search.h"

#include "model/text_utils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace plax {

namespace {

std::string_view NameText(TourKind kind) {
    return kind == TourKind::HamiltonianPath ? "Hamiltonian Path " : "Hamiltonian Cycle ";
}

// Writes each find straight into the sink's listing room: a listing writes millions of them. The
// counter goes up by one from find to find and the weight seldom changes, so their texts are
// kept and the counter's digits counted up in place. A find of 16 points takes far less than the
// room.
class FindWriter {
public:
    FindWriter(ResultsSink& sink, TourKind kind) : sink_(sink), kind_(kind) {}

    void Write(const TourFind& find) {
        const bool salesman = kind_ == TourKind::Salesman;
        const bool path = kind_ == TourKind::HamiltonianPath;
        char* o = PutText(sink_.ListingRoom(), "\n    Counter = ");
        o = PutShort(o, CounterText(find.counter));
        o = salesman ? PutText(o, "\n     Cycle :    \n     ")
            : path   ? PutText(o, "\n    Hamiltonian Path :     \n     ")
                     : PutText(o, "\n    Hamiltonian Cycle :     \n     ");
        o = PutText(o, PointsText(find.points));
        o = salesman ? PutText(o, "\n    Weight of the Cycle =  ")
            : path   ? PutText(o, "\n    Weight of the current Hamiltonian Path  =  ")
                     : PutText(o, "\n    Weight of the current Hamiltonian Cycle  =  ");
        o = PutShort(o, WeightText(find.weight));
        *o++ = '\n';
        sink_.LinesWritten(o);
    }

private:
    // A short text copied as a whole word block, which the room always has space for; what lies
    // beyond its end is written over next.
    static char* PutShort(char* out, std::string_view text) {
        constexpr std::size_t Word = 24;
        if (text.size() > Word) return PutText(out, text);
        std::memcpy(out, text.data(), Word);
        return out + text.size();
    }

    std::string_view CounterText(std::uint64_t counter) {
        if (counter != counter_ + 1 || counter_ == 0) {
            counterEnd_ = WriteRightAligned(counterText_.data(), static_cast<long long>(counter), 0);
        } else {
            // One more: the trailing nines become zeros and the digit before them goes up.
            char* d = counterEnd_ - 1;
            while (d >= counterText_.data() && *d == '9')
                *d-- = '0';
            if (d >= counterText_.data()) {
                ++*d;
            } else {
                *counterEnd_++ = '0';
                counterText_[0] = '1';
            }
        }
        counter_ = counter;
        return {counterText_.data(), static_cast<std::size_t>(counterEnd_ - counterText_.data())};
    }

    // The points as the find lists them, 14 to a line. A search's next find differs from the last
    // only at its end, so the text is kept and written again from the first point that changed.
    std::string_view PointsText(std::span<const int> points) {
        const std::size_t length = std::min(points.size(), lastPoints_.size());
        std::size_t k = 0;
        if (length == lastLength_) {
            while (k < length && points[k] == lastPoints_[k])
                ++k;
        }
        char* o = pointsText_.data() + pointOffset_[k];
        for (std::size_t i = k; i < length; ++i) {
            pointOffset_[i] = static_cast<std::uint16_t>(o - pointsText_.data());
            lastPoints_[i] = points[i];
            o = PutPoint(o, points[i]);
            *o++ = i + 1 == length ? '.' : ',';
            if ((i + 1) % 14 == 0 && i + 1 != length) o = PutText(o, "\n     ");
        }
        if (k < length || length != lastLength_) pointsLength_ = static_cast<std::size_t>(o - pointsText_.data());
        lastLength_ = length;
        return {pointsText_.data(), pointsLength_};
    }

    std::string_view WeightText(double weight) {
        if (!weightKnown_ || weight != weight_) {
            weightLength_ = WriteTrimmed(weightText_.data(), weight, 4);
            weight_ = weight;
            weightKnown_ = true;
        }
        return {weightText_.data(), weightLength_};
    }

    ResultsSink& sink_;
    TourKind kind_;
    std::array<int, MaxPoints + 2> lastPoints_{};
    std::array<std::uint16_t, MaxPoints + 3> pointOffset_{}; // where each point's text begins
    std::array<char, 4 * (MaxPoints + 2)> pointsText_{};
    std::size_t lastLength_ = SIZE_MAX; // no find kept yet
    std::size_t pointsLength_ = 0;
    std::array<char, 24> counterText_{};
    char* counterEnd_ = counterText_.data();
    std::uint64_t counter_ = 0;
    std::array<char, TrimmedNumberRoom> weightText_{};
    std::size_t weightLength_ = 0;
    double weight_ = 0.0;
    bool weightKnown_ = false;
};

// The closing lines: the last find again, or why there is none.
void WriteEnding(ResultsSink& sink, TourKind kind, const TourSearchResult& result) {
    const bool salesman = kind == TourKind::Salesman;
    const std::string name(NameText(kind));
    if (result.finds == 0) {
        sink.AddLine(salesman ? "    Salesman Cycle  Not Found. " : "    " + name + " Not Found. ");
        return;
    }
    if (!result.stopped) {
        FindWriter(sink, kind).Write({result.finds, result.last, result.lastWeight});
        sink.AddLine(ProcedureCompleteLine);
        return;
    }
    sink.AddLine(ProcedureCompleteLine);
    sink.AddLine(salesman ? "    Procedure terminated!  Cycle  Found. "
                          : "    Procedure terminated! " + name + " Found. ");
}

// The edges of the last find, in the order it runs; a cycle's last edge closes it.
std::vector<EdgeMark> FoundEdges(const TourSearchResult& result) {
    std::vector<EdgeMark> edges;
    for (std::size_t k = 1; k < result.last.size(); ++k) {
        edges.push_back(
            {static_cast<std::uint16_t>(result.last[k - 1]), static_cast<std::uint16_t>(result.last[k])});
    }
    return edges;
}

void RunTourSearch(NetWorkType& net, TourKind kind, const std::string& title, MarkingBuffer& marks,
                   const std::string& fileName, ProcedureOutput out) {
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccountOwnEnding(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader(title, net);
        out.sink.AddLine("");
        out.sink.AddLine("    Source = " + std::to_string(net.sourcePoint));
        LongRun run(out.sink, net);
        FindWriter writer(out.sink, kind);
        const TourSearchResult result =
            SearchTours(net, kind, out.sink, [&](const TourFind& find) { writer.Write(find); });
        WriteEnding(out.sink, kind, result);
        run.End();
        marks.SetEdges(FoundEdges(result));
    });
}

} // namespace

void Hamiltonian(NetWorkType& net, HamiltonianMode mode, MarkingBuffer& marks, const std::string& fileName,
                 ProcedureOutput out) {
    const bool cycle = mode == HamiltonianMode::Cycle;
    RunTourSearch(net, cycle ? TourKind::HamiltonianCycle : TourKind::HamiltonianPath,
                  cycle ? "                Hamiltonian Cycle " : "                Hamiltonian Path ", marks,
                  fileName, out);
}

void Salesman(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out) {
    RunTourSearch(net, TourKind::Salesman, "            Salesman problem", marks, fileName, out);
}

} // namespace plax
