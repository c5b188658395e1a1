#include "picture_command.h"

#include <sstream>
#include <string>

namespace plax::cli {

// Both programs read these: plax-cli writes DOT labels by --show itself and checks a picture's
// options before plax-cli-full draws it.

OptionSpec PictureOptionSpec() {
    return {{"--size", "--scale", "--show", "--from", "--to"}, {"--yes", "--crop"}};
}

std::optional<ViewFlags> ParseShow(const Invocation& inv, std::ostream& err) {
    ViewFlags view;
    const auto it = inv.values.find("--show");
    if (it == inv.values.end()) return view;
    for (const std::string& list : it->second) {
        std::istringstream words(list);
        std::string word;
        while (std::getline(words, word, ',')) {
            if (word == "names")
                view.pointNames = 1;
            else if (word == "tokens")
                view.tokens = 1;
            else if (word == "weights")
                view.edgeMarks = 1;
            else if (word == "flows")
                view.flows = 1;
            else if (word == "edge-names")
                view.edgeNames = 1;
            else if (word == "edge-labels")
                view.edgeLabels = 1;
            else {
                err << "plax-cli: --show takes names, tokens, weights, flows, edge-names, edge-labels\n";
                return std::nullopt;
            }
        }
    }
    return view;
}

} // namespace plax::cli
