// Writes the sample nets into a folder: plax-make-examples DIR
#include "example_nets.h"

#include "model/net_file.h"

#include <iostream>

namespace {

class PrintMessages : public plax::UserMessages {
public:
    void Warning(const std::string& text) override { std::cerr << text << '\n'; }
    void Error(const std::string& text) override { std::cerr << text << '\n'; }
    void Information(const std::string& text) override { std::cerr << text << '\n'; }
    bool Confirm(const std::string&) override { return true; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: plax-make-examples DIR\n";
        return 2;
    }
    PrintMessages messages;
    const std::string dir = argv[1];
    for (const auto& example : plax::examples::ExampleNets()) {
        const std::string path = dir + "/" + example.fileName;
        if (!plax::SaveNetFile(example.net, path, messages)) return 1;
        std::cout << path << ": " << example.description << '\n';
    }
    return 0;
}
