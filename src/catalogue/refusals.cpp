#include "refusals.h"

#include "accounts/density_account.h"
#include "accounts/procedure_texts.h"

#include "algorithms/graph_utils.h"
#include "algorithms/reachability.h"

#include "model/net_store.h"

namespace plax {

std::optional<std::string> ShortestPathRefusal(const NetWorkType& net, ShortestPathMode mode) {
    if (net.n < 2) {
        return std::string(mode == ShortestPathMode::SinglePair ? NoShortestPathMessage : TrivialNetWorkText);
    }
    return std::nullopt;
}

std::optional<std::string> SpanningTreeRefusal(const NetWorkType& net) {
    if (net.n < 2 || EdgeCount(net) == 0) return std::string(NoMinimalTreeMessage);
    if (CountComponents(net).count > 1) return std::string(NetWorkNotConnectedMessage);
    return std::nullopt;
}

// Maximal flow and k shortest paths.
std::optional<std::string> TrivialNetRefusal(const NetWorkType& net) {
    if (net.n < 2) return std::string(TrivialNetWorkText);
    return std::nullopt;
}

std::optional<std::string> MaxCapacityPathRefusal(const NetWorkType& net) {
    if (net.n < 2) return std::string(NoPathTrivialMessage);
    return std::nullopt;
}

std::optional<std::string> CutPointsRefusal(const NetWorkType& net) {
    if (net.n < 2 || EdgeCount(net) == 0) return std::string(TrivialNetWorkText);
    return std::nullopt;
}

std::optional<std::string> EulerRefusal(const NetWorkType& net) {
    if (net.n == 0) return std::string(TrivialNetWorkText);
    return std::nullopt;
}

std::optional<std::string> HamiltonianRefusal(const NetWorkType& net, HamiltonianMode mode) {
    const std::string what = mode == HamiltonianMode::Cycle ? "Hamiltonian Cycle" : "Hamiltonian Path";
    if (net.n < 2) return TrivialNetWorkText + ("There isnt " + what + " !");
    if (!EveryPointReachesEveryPoint(net)) return "There isnt " + what + " !\r\nProcedure terminated! ";
    return std::nullopt;
}

std::optional<std::string> SalesmanRefusal(const NetWorkType& net) {
    return HamiltonianRefusal(net, HamiltonianMode::Cycle);
}

std::optional<std::string> DensityRefusal(const NetWorkType& net) {
    if (net.n < 2) return std::string(TrivialGraphMessage);
    return std::nullopt;
}

} // namespace plax
