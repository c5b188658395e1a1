#include "cli.h"
#ifdef PLAX_CLI_HANDS_OFF
#include "handoff.h"
#endif

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef PLAX_CLI_HANDS_OFF
    if (plax::cli::NeedsFullProgram(args)) return plax::cli::HandOffToFullProgram(argv, std::cerr);
#endif
    // A file-size limit then makes a save fail with an error it reports, instead of killing
    // the program and leaving its half-written file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    return plax::cli::RunCli(args, std::cout, std::cerr);
}
