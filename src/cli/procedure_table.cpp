#include "run_command.h"

#include "cli.h"

namespace plax::cli {

namespace {

ProcedureCommand ShortestPathCommand(std::string_view name, Picks picks, ShortestPathMode mode) {
    return {name, picks, [mode](const NetWorkType& net) { return ShortestPathRefusal(net, mode); },
            [mode](RunContext& c) {
                ShortestPath(c.net, mode, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

} // namespace

const std::vector<ProcedureCommand>& ProcedureCommands() {
    static const std::vector<ProcedureCommand> commands = {
        ShortestPathCommand("shortest-path", Picks::SourceAndSink, ShortestPathMode::SinglePair),
        ShortestPathCommand("all-shortest-paths", Picks::Source, ShortestPathMode::AllFromSource),
    };
    return commands;
}

} // namespace plax::cli
