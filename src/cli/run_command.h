#pragma once

#include "invocation.h"

#include "model/net_types.h"
#include "procedures/marking_buffer.h"
#include "procedures/results_sink.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace plax::cli {

// Which points a procedure needs picked before it runs, and how the picks are checked.
enum class Picks {
    None,
    Source,        // one point from which some other point is reachable
    Start,         // any one point
    SourceAndSink, // a source as above, then a different point reachable from it
};

struct RunContext {
    NetWorkType& net;
    MarkingBuffer& marks;
    const std::string& fileName;
    ProcedureOutput out;
    const Invocation& inv;
    std::ostream& err;
};

// One procedure that `plax-cli run` can start. The table of these is the one place where a
// procedure is registered for the command line.
struct ProcedureCommand {
    std::string_view name;
    Picks picks;
    std::function<std::optional<std::string>(const NetWorkType&)> refusal;
    // Runs the procedure; answers the exit status (its account is already written).
    std::function<int(RunContext&)> run;
};

const std::vector<ProcedureCommand>& ProcedureCommands();

// plax-cli run PROCEDURE FILE [options]
int RunProcedure(const Invocation& inv, std::ostream& out, std::ostream& err);

// The options `run` understands.
const OptionSpec& RunOptionSpec();

} // namespace plax::cli
