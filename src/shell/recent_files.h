#pragma once

#include <QSettings>

#include <string>
#include <vector>

namespace plax {

// The files opened or saved last, newest first, kept between runs in the user's settings under
// the program's name. Only this list is kept: the program's settings record still starts afresh.
class RecentFiles {
public:
    static constexpr int Limit = 9;

    RecentFiles();

    std::vector<std::string> List() const;
    // Puts `path` (made absolute) first, once, and drops what falls beyond the limit.
    void Add(const std::string& path);
    void Remove(const std::string& path);

private:
    void Store(const std::vector<std::string>& paths);

    QSettings settings_;
};

} // namespace plax
