#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace plax::cli {

// plax-cli links no Qt and no Graphviz, so that a script looping over a class's files starts each
// call in a few milliseconds. Pictures, DOT and the XML and JSON formats need those libraries:
// plax-cli hands such a command line, whole and unchanged, to plax-cli-full, which is the same
// program with them linked in.

// Whether the command line names a picture or a file in a format that needs the libraries: an
// argument with such an extension, or such a format after --from or --to. Erring towards the
// hand-off costs only its start-up.
bool NeedsFullProgram(const std::vector<std::string>& args);

// Replaces this process by plax-cli-full beside the running program (a build tree) or in the
// installed programs' library folder (libexec/plax), with the same arguments. Answers only when
// it cannot, having said so on `err`.
int HandOffToFullProgram(char** argv, std::ostream& err);

// The refusal of a command that needs plax-cli-full where it is not installed.
int FullProgramMissing(std::ostream& err);

} // namespace plax::cli
