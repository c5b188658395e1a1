// The reference for plax-cli's start-up: a program with no Qt at all that prints what
// `plax-cli run shortest-path NET --source S --sink T --time 12:00 --date 01.01.2000` prints.
// Usage: plax_startup_reference NET S T
#include "catalogue/procedure_table.h"
#include "model/net_file.h"
#include "model/user_messages.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class PrintingSink : public plax::ResultsSink {
public:
    using ResultsSink::ResultsSink;

protected:
    bool DoOpen() override { return true; }
    void DoClear() override {}
    bool DoAddLine(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fputc('\n', stdout) != EOF;
    }
    void DoFinish() override {}
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    plax::SilentMessages messages;
    plax::NetWorkType net;
    if (!plax::LoadNetFile(net, argv[1], plax::OptionType{}, messages)) return 3;
    net.sourcePoint = static_cast<std::uint16_t>(std::atoi(argv[2]));
    net.sinkPoint = static_cast<std::uint16_t>(std::atoi(argv[3]));
    for (const plax::ProcedureEntry& entry : plax::ProcedureTable()) {
        if (entry.name != "shortest-path") continue;
        const plax::FixedClock clock("12:00", "01.01.2000");
        plax::RunFlags flags;
        PrintingSink sink(clock, flags);
        plax::MarkingBuffer marks;
        const std::string path = argv[1];
        plax::ProcedureRun run{net, marks, path, {sink, messages}};
        return entry.run(run) && std::fflush(stdout) == 0 ? 0 : 1;
    }
    return 1;
}
