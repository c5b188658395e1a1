#include "recent_files.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <filesystem>

namespace plax {

namespace {

const QString ListKey = QStringLiteral("recentFiles");

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

RecentFiles::RecentFiles() : settings_(QStringLiteral("plax"), QStringLiteral("plax")) {}

std::vector<std::string> RecentFiles::List() const {
    std::vector<std::string> paths;
    for (const QString& path : settings_.value(ListKey).toStringList()) {
        const std::string encoded = QFile::encodeName(path).toStdString();
        // A hand-edited settings file may hold anything: empty entries, twins, too many.
        if (encoded.empty() || std::ranges::find(paths, encoded) != paths.end()) continue;
        paths.push_back(encoded);
        if (static_cast<int>(paths.size()) == Limit) break;
    }
    return paths;
}

void RecentFiles::Add(const std::string& path) {
    const std::string absolute = Absolute(path);
    std::vector<std::string> paths = List();
    std::erase(paths, absolute);
    paths.insert(paths.begin(), absolute);
    if (static_cast<int>(paths.size()) > Limit) paths.resize(Limit);
    Store(paths);
}

void RecentFiles::Remove(const std::string& path) {
    std::vector<std::string> paths = List();
    std::erase(paths, Absolute(path));
    Store(paths);
}

void RecentFiles::Store(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths)
        list.append(QFile::decodeName(QByteArray::fromStdString(path)));
    settings_.setValue(ListKey, list);
    settings_.sync();
}

} // namespace plax
