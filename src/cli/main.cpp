#include "cli.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    // A file-size limit then makes a save fail with an error it reports, instead of killing
    // the program and leaving its half-written file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    return plax::cli::RunCli(args, std::cout, std::cerr);
}
