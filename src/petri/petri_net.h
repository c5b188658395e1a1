#pragma once

#include "model/net_types.h"
#include "algorithms/reachability.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plax {

inline constexpr const char* NotBichromaticMessage = "Graph doesnt bichromatic!\r\nProcedure terminated! ";
inline constexpr const char* NotLiveMessage = "Petry Net not live!\r\nProcess terminated! ";
inline constexpr const char* ManualSimulationStatus =
    "Ordinary Simulation (Manual Mode): Click on Transition to Execute it";

// Firing adds a token only to a place holding at most TokenCeiling - 1, so it never raises a
// count above TokenCeiling.
inline constexpr std::uint16_t TokenCeiling = 10000;

// Shapes 2 and 3 are transitions; a transition's token count is its level.
bool IsTransition(const PointType& point);
// Only shapes 0 and 1 give and take tokens when a transition fires.
bool IsTokenPlace(const PointType& point);

// The structure test: a directed net with at least one transition and one other point, whose
// edges never join two transitions nor two places of shapes 0, 1, 4 and 5.
bool IsOrdinaryPetriNet(const NetWorkType& net);

// Why the simulation commands refuse to start, if they do: the busy guard, the structure test,
// then the ceiling.
[[nodiscard]] std::optional<std::string> PetriRefusal(const NetWorkType& net);

// A place holding more than the ceiling, which the token game could not keep: its message.
[[nodiscard]] std::optional<std::string> CeilingRefusal(const NetWorkType& net);

// The transitions all of whose input points (of any shape) hold a token.
PointFlags EnabledTransitions(const NetWorkType& net);
// Whether any transition of `enabled` is.
bool AnyEnabled(const PointFlags& enabled);

// Fires `t` whether or not it is enabled: every input place of shape 0 or 1 with a token loses
// one, then every output place of shape 0 or 1 below the ceiling gains one; a place that is both
// keeps its count. Answers the places whose count changed.
PointFlags FireTransition(NetWorkType& net, int t);

} // namespace plax
