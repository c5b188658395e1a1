#pragma once

#include <fstream>
#include <string>

namespace plax::bench {

// A "VmRSS:" or "VmHWM:" figure of /proc/self/status, in MiB; -1 where there is none.
inline double StatusMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
    }
    return -1;
}

} // namespace plax::bench
