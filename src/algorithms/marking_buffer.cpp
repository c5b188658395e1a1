#include "marking_buffer.h"

#include <cassert>

namespace plax {

void MarkingBuffer::Clear() { *this = MarkingBuffer{}; }

void MarkingBuffer::SetEdges(std::span<const EdgeMark> list) {
    assert(list.size() <= MaxPoints);
    edges = {};
    for (std::size_t k = 0; k < list.size() && k < MaxPoints; ++k)
        edges[k + 1] = list[k];
}

std::vector<EdgeMark> MarkingBuffer::MarkedEdges(int n) const {
    std::vector<EdgeMark> out;
    for (int k = 1; k <= n && k <= MaxPoints; ++k) {
        if (edges[static_cast<std::size_t>(k)].from == 0) break;
        out.push_back(edges[static_cast<std::size_t>(k)]);
    }
    return out;
}

} // namespace plax
