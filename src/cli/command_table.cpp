#include "command_table.h"

#include "check_command.h"
#include "cli.h"
#include "cli_messages.h"
#include "generate_command.h"
#include "net_io.h"
#include "net_json.h"
#include "petri_command.h"
#include "picture_command.h"
#include "run_command.h"

namespace plax::cli {

namespace {

int Dump(const Invocation& inv, std::ostream& out, std::ostream& err) {
    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    if (const int status = ReadInput(inv, inv.positional[0], net, messages, err); status != ExitDone)
        return status;
    out << NetToJson(net).dump(2) << '\n';
    return ExitDone;
}

int Convert(const Invocation& inv, std::ostream& out, std::ostream& err) {
    auto format = OutputFormat(inv, inv.positional[1], true, err);
    if (!format) return ExitUsage;
    if (format->kind == FileFormat::Kind::Picture) return ConvertToPicture(inv, *format, out, err);
    const bool dot =
        format->kind == FileFormat::Kind::Interchange && format->interchange == InterchangeFormat::Dot;
    if (inv.Value("--size") || inv.Value("--scale") || inv.Has("--crop") || (inv.Value("--show") && !dot)) {
        err << "plax-cli: --size, --scale and --crop apply to picture output only, --show to pictures and "
               "DOT\n";
        return ExitUsage;
    }
    if (dot && inv.Value("--show")) {
        const auto shown = ParseShow(inv, err);
        if (!shown) return ExitUsage;
        // The edge parts --show names are the label; naming none of them keeps the weight.
        if (shown->edgeNames != 0 || shown->edgeMarks != 0 || shown->flows != 0)
            format->dotLabels = {shown->edgeNames != 0, shown->edgeMarks != 0, shown->flows != 0};
    }
    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    if (const int status = ReadInput(inv, inv.positional[0], net, messages, err); status != ExitDone)
        return status;
    return WriteOutput(net, inv.positional[1], *format, messages, out, err);
}

constexpr std::string_view RunHelp =
    "  --source P, --sink P   the points a user would click, by number or by name\n"
    "  --marks                after the text, what the procedure marked (points, then edges)\n"
    "  --report               append the text to the report file beside the net (NAME.TXT)\n"
    "  --save OUT             write the net after the run (any format convert writes but pictures)\n"
    "  --time T, --date D     the time and date shown in the header\n"
    "  --yes                  answer Yes to the run's questions and show its hints\n"
    "  --time-limit S         press Stop after S seconds (Ctrl+C presses it too)\n"
    "  --k K, --iterations I, --show W\n"
    "                         k-shortest-paths: how many lengths (1..15, default 1), the\n"
    "                         iteration limit (100..10000, default 100), the walk to show\n"
    "  --unsorted             automorphisms in plain-changes order\n"
    "  --certificate          after the text, the proof of what was found (\"certificate:\")\n"
    "  --weight ATTR, --directed, --undirected\n"
    "                         how FILE of another program is read (see convert)\n"
    "  --from EXT             the format of FILE when it is \"-\" (standard input)\n";

constexpr std::string_view PetriHelp =
    "  (after the firings it prints \"enabled:\" with the enabled transitions, then\n"
    "  \"place P TOKENS NAME\" for every point that is not a transition)\n"
    "  --fire T               fire transition T as a click would (repeatable, in order)\n"
    "  --auto                 then fire randomly chosen enabled transitions, each weighted by\n"
    "                         its level + 1, until none is enabled; prints \"auto:\" with the\n"
    "                         number of firings, why the run ended, and the seed\n"
    "  --max-firings N        end the automatic run after N firings (default 10000)\n"
    "  --seed S               the seed of the random choice, so that a run can be repeated\n"
    "  --reachability         then, instead of the state, the markings reachable from the one\n"
    "                         reached: their number, boundedness, dead markings with a\n"
    "                         shortest firing sequence, transitions that never fire and\n"
    "                         reversibility, as the Results text of Simulation > Reachability\n"
    "  --coverability         then the Karp-Miller coverability graph: its number of nodes,\n"
    "                         the unbounded places (w), the bound of every other place,\n"
    "                         boundedness, safeness and dead transitions\n"
    "  --liveness             then dead (L0) and live (L4) transitions, those that fire at\n"
    "                         least once, deadlock-freedom with the dead markings' shortest\n"
    "                         firing sequences, and the home markings\n"
    "  --invariants           then the minimal place and transition invariants, each as its\n"
    "                         support and its equation, the places they cover and whether the\n"
    "                         net is structurally bounded\n"
    "  --max-markings M       store at most M markings or nodes (1..10000000, default 100000)\n"
    "  --state-graph OUT      then, instead of the state, the graph of those markings (at most\n"
    "                         500) as Graphviz DOT in OUT (.dot or .gv, \"-\" for standard\n"
    "                         output): a box per marking, M0 the one reached (double border),\n"
    "                         dead ones filled, arcs named by their transitions; for a net\n"
    "                         that grows without bound, its coverability graph (w unbounded)\n"
    "  --save OUT             write the net with its new tokens (any format but pictures)\n"
    "  --yes                  answer Yes when --save asks to replace a file\n"
    "  --from EXT             the format of FILE when it is \"-\" (standard input)\n";

constexpr std::string_view ConvertHelp =
    "  Formats by extension, in any case: .net (also Pajek's, by its content), .kp (Krack Plot),\n"
    "  .graphml, .json (node-link), .dot and .gv (Graphviz), .gml, .gexf, .paj (Pajek), .g6 and\n"
    "  .d6 (graph6, digraph6), .csv (adjacency matrix), .adjlist, .pnml (Petri nets), .txt (the\n"
    "  edge list export) and .edgelist (\"a b weight\" lines), and the pictures .bmp .wmf .png .svg\n"
    "  .pdf (written only).\n"
    "  Any other output is refused.\n"
    "  --weight ATTR          the edge attribute read as the weight (default: weight, else\n"
    "                         capacity, length, a numeric label, value, cost or distance)\n"
    "  --directed, --undirected\n"
    "                         the direction of an edge list, adjacency list or matrix\n"
    "  .tex writes TikZ code (written only); --standalone makes it a whole LaTeX document\n"
    "  --size WxH             picture size in pixels (default 593x351, a new window's area)\n"
    "  --scale F              draw the picture F times as large (0.1 to 10): --size 593x351\n"
    "                         --scale 2 gives 1186x702 pixels of the same area\n"
    "  --crop                 fit the picture to the drawing, with a margin of 10 pixels\n"
    "  --show LIST            also show, comma-separated: names, tokens, weights, flows,\n"
    "                         edge-names, edge-labels (a loaded net shows none of them); for\n"
    "                         .dot and .gv, what the edge labels show of edge-names, weights\n"
    "                         and flows (default: the weight)\n"
    "  --from EXT             the format of IN when it is \"-\" (standard input)\n"
    "  --to EXT               the format of OUT when it is \"-\" (standard output)\n"
    "  --yes                  replace an existing OUT without asking\n";

constexpr std::string_view DumpHelp =
    "  --from EXT             the format of FILE when it is \"-\" (standard input)\n";

OptionSpec WithFileOptions(OptionSpec options, std::initializer_list<const char*> withValue) {
    for (const char* option : withValue)
        options.withValue.insert(option);
    options.withValue.insert("--weight");
    options.bare.insert("--directed");
    options.bare.insert("--standalone");
    options.bare.insert("--undirected");
    options.bare.insert("--yes");
    return options;
}

} // namespace

const std::vector<CommandSpec>& CommandTable() {
    static const std::vector<CommandSpec> table = {
        {"run", "run PROCEDURE FILE [options]", "run one procedure; its Results text goes to standard output",
         RunHelp, 2, 2, WithFileOptions(RunOptionSpec(), {"--from"}), RunProcedure},
        {"petri",
         "petri FILE [--fire T]... [--auto [--max-firings N] [--seed S]] [--reachability] [--coverability]\n"
         "      [--liveness] [--invariants] [--max-markings M] [--save OUT]",
         "play the Petri net", PetriHelp, 1, 1, WithFileOptions(PetriOptionSpec(), {"--from"}), RunPetri},
        {"convert", "convert IN OUT [--yes] [--size WxH | --crop] [--scale F] [--show LIST]",
         "write IN in the format of OUT's extension", ConvertHelp, 2, 2,
         WithFileOptions(PictureOptionSpec(), {"--from", "--to"}), Convert},
        {"dump", "dump FILE", "every stored field of the net, sub-nets included, as JSON", DumpHelp, 1, 1,
         WithFileOptions({}, {"--from"}), Dump},
        {"check", "check QUESTION FILE --answer TEXT [--source N] [--sink N]",
         "is the answer right? exit 0 yes, 4 no", CheckHelp(), 2, 2,
         WithFileOptions(CheckOptionSpec(), {"--from"}), RunCheck},
        {"generate", "generate KIND OUT [options]", "a standard net (see the options of generate)",
         GenerateHelp, 2, 2, WithFileOptions(GenerateOptionSpec(), {"--to"}), RunGenerate},
    };
    return table;
}

const CommandSpec* FindCommand(std::string_view name) {
    for (const CommandSpec& c : CommandTable()) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

} // namespace plax::cli
