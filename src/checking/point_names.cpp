#include "point_names.h"

#include "model/text_utils.h"

namespace plax {

std::optional<int> NamedPoint(const NetWorkType& net, const std::vector<std::string>& fileIds,
                              std::string_view word, std::string& error) {
    const std::string name = Utf8ToLatin1(word);
    std::optional<int> found;
    for (int i = 1; i <= net.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const bool id = (k <= fileIds.size() && fileIds[k - 1] == name) ||
                        (!net.points[k].fileId.empty() && net.points[k].fileId == name);
        if (net.points[k].name != name && !id) continue;
        if (found) {
            error = "more than one point is named \"" + std::string(word) + "\"";
            return std::nullopt;
        }
        found = i;
    }
    if (!found) error = "no point is named \"" + std::string(word) + "\"";
    return found;
}

} // namespace plax
