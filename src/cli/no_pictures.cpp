#include "handoff.h"
#include "picture_command.h"

namespace plax::cli {

// plax-cli draws nothing itself: a command line naming a picture went to plax-cli-full before it
// got here, so only a caller that did not hand it over is answered.
int ConvertToPicture(const Invocation&, const FileFormat&, std::ostream&, std::ostream& err) {
    return FullProgramMissing(err);
}

} // namespace plax::cli
