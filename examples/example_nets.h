#pragma once

#include "model/net_types.h"

#include <string>
#include <vector>

namespace plax::examples {

struct ExampleNet {
    std::string fileName;
    std::string description;
    NetWorkType net;
};

// The sample nets of the examples folder, built in code so that they stay reproducible.
std::vector<ExampleNet> ExampleNets();

} // namespace plax::examples
