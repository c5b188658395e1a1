#include "edge_list.h"

#include "file_io.h"
#include "file_messages.h"
#include "net_store.h"
#include "text_utils.h"

namespace plax {

std::string EdgeListText(const NetWorkType& net) {
    std::string out = std::to_string(net.n) + "\r\n";
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            const EdgeType* e = FindEdge(net, i, j);
            if (e == nullptr) continue;
            out += std::to_string(i) + "," + std::to_string(j) + "," + ResultNumber(e->weight) + "\r\n";
        }
    }
    out += "\"0\",\"0\",\"0\"\r\n";
    return out;
}

bool SaveEdgeList(const NetWorkType& net, const std::string& path, UserMessages& messages) {
    switch (WriteFileAtomically(path, EdgeListText(net))) {
    case WriteStatus::Ok: return true;
    case WriteStatus::CannotCreate: messages.Error(CannotCreateFileMessage(path)); return false;
    case WriteStatus::CannotWrite: messages.Error(CannotWriteFileMessage(path)); return false;
    }
    return false;
}

} // namespace plax
