#include "net_file.h"

#include "file_io.h"
#include "file_messages.h"
#include "net_store.h"
#include "real48.h"
#include "text_utils.h"

#include <array>
#include <cstring>

namespace plax {

namespace {

enum RecordKind : std::uint8_t {
    HeaderRecord = 0,
    EdgeRecord = 1,
    PointRecord = 2,
    SubNetBegin = 3,
    SubNetEnd = 4,
};

class Record {
public:
    Record() = default;
    explicit Record(std::string_view bytes) { std::memcpy(b_.data(), bytes.data(), NetRecordSize); }

    std::uint8_t U8(std::size_t at) const { return b_[at]; }
    std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(b_[at] | (b_[at + 1] << 8)); }
    std::int16_t I16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
    std::uint32_t U32(std::size_t at) const {
        return static_cast<std::uint32_t>(U16(at)) | (static_cast<std::uint32_t>(U16(at + 2)) << 16);
    }
    double Real(std::size_t at) const {
        Real48 r{};
        std::memcpy(r.data(), b_.data() + at, r.size());
        return Real48ToDouble(r);
    }
    std::string Name(std::size_t at) const {
        const std::size_t length = std::min<std::size_t>(b_[at], MaxNameLength);
        return std::string(reinterpret_cast<const char*>(b_.data() + at + 1), length);
    }

    void SetU8(std::size_t at, std::uint8_t v) { b_[at] = v; }
    void SetU16(std::size_t at, std::uint32_t v) {
        b_[at] = static_cast<std::uint8_t>(v);
        b_[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void SetU32(std::size_t at, std::uint32_t v) {
        SetU16(at, v & 0xFFFFu);
        SetU16(at + 2, v >> 16);
    }
    bool SetReal(std::size_t at, double v) {
        const auto r = DoubleToReal48(v);
        if (!r) return false;
        std::memcpy(b_.data() + at, r->data(), r->size());
        return true;
    }
    void SetName(std::size_t at, const std::string& name) {
        const std::size_t length = std::min(name.size(), MaxNameLength);
        b_[at] = static_cast<std::uint8_t>(length);
        std::memcpy(b_.data() + at + 1, name.data(), length);
    }

    void AppendTo(std::string& out) const { out.append(reinterpret_cast<const char*>(b_.data()), b_.size()); }

private:
    std::array<std::uint8_t, NetRecordSize> b_{};
};

// Point options as the point record holds them (the field order of PointOptionType).
void PutOptions(Record& r, std::size_t at, const PointOptionType& o) {
    r.SetU16(at, o.radius);
    r.SetU16(at + 2, o.fontSize);
    r.SetU8(at + 4, o.showBorder);
    r.SetU8(at + 5, o.doubleBorder);
    r.SetU8(at + 6, o.coloredBorder);
    r.SetU8(at + 7, o.showNumber);
    r.SetU8(at + 8, o.fillPoint);
    r.SetU32(at + 12, o.borderColor);
}

PointOptionType GetOptions(const Record& r, std::size_t at) {
    PointOptionType o;
    o.radius = r.U16(at);
    o.fontSize = r.U16(at + 2);
    o.showBorder = r.U8(at + 4);
    o.doubleBorder = r.U8(at + 5);
    o.coloredBorder = r.U8(at + 6);
    o.showNumber = r.U8(at + 7);
    o.fillPoint = r.U8(at + 8);
    o.borderColor = r.U32(at + 12);
    return o;
}

Record HeaderOf(const NetWorkType& net) {
    Record r;
    const PointOptionType& o = net.defaultOptions;
    r.SetU8(0, HeaderRecord);
    r.SetU8(1, static_cast<std::uint8_t>(KindCodeOf(net)));
    r.SetU16(2, net.n);
    r.SetU16(4, o.radius);
    r.SetU16(6, o.fontSize);
    r.SetU8(8, o.showBorder);
    r.SetU8(9, o.showNumber);
    r.SetU8(10, o.fillPoint);
    r.SetU8(11, o.doubleBorder);
    r.SetU8(12, o.coloredBorder);
    r.SetU32(13, o.borderColor);
    r.SetU8(17, net.view.edgeLabels);
    r.SetU8(18, net.view.edgeMarks);
    r.SetU8(19, net.view.flows);
    r.SetU8(20, net.view.pointNames);
    r.SetU8(21, net.view.edgeNames);
    r.SetU8(22, net.view.tokens);
    return r;
}

bool PointRecordOf(const NetWorkType& net, int i, Record& r) {
    const PointType& p = net.points[static_cast<std::size_t>(i)];
    r.SetU8(0, PointRecord);
    r.SetU8(1, static_cast<std::uint8_t>(p.shape));
    r.SetU16(2, static_cast<std::uint32_t>(i));
    if (!r.SetReal(4, p.weight)) return false;
    r.SetU32(10, p.color);
    r.SetU8(14, static_cast<std::uint8_t>(p.reserved));
    r.SetName(15, p.name);
    r.SetU16(36, static_cast<std::uint32_t>(p.x));
    r.SetU16(38, static_cast<std::uint32_t>(p.y));
    r.SetU16(40, p.tokens);
    r.SetU8(42, static_cast<std::uint8_t>(p.labelPosition));
    r.SetU8(43, p.customOptions);
    PutOptions(r, 44, p.customOptions != 0 ? p.options : net.defaultOptions);
    return true;
}

bool EdgeRecordOf(int from, const EdgeType& e, Record& r) {
    r.SetU8(0, EdgeRecord);
    r.SetU8(1, static_cast<std::uint8_t>(e.shape));
    r.SetU16(2, static_cast<std::uint32_t>(from));
    r.SetU16(4, e.target);
    if (!r.SetReal(6, e.weight) || !r.SetReal(12, e.flow)) return false;
    r.SetU32(18, e.color);
    r.SetU8(22, static_cast<std::uint8_t>(e.reserved));
    r.SetName(23, e.name);
    r.SetU8(44, e.lineWidth);
    r.SetU8(45, static_cast<std::uint8_t>(e.lineStyle));
    return true;
}

Record Marker(RecordKind kind) {
    Record r;
    r.SetU8(0, kind);
    return r;
}

bool AppendNet(const NetWorkType& net, std::string& out) {
    HeaderOf(net).AppendTo(out);
    for (int i = 1; i <= net.n; ++i) {
        Record r;
        if (!PointRecordOf(net, i, r)) return false;
        r.AppendTo(out);
    }
    const bool undirected = IsUndirected(net);
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            // An undirected edge is written once, from its lower-numbered end.
            if (undirected && i > e.target) continue;
            Record r;
            if (!EdgeRecordOf(i, e, r)) return false;
            r.AppendTo(out);
            if (e.subNet) {
                Marker(SubNetBegin).AppendTo(out);
                if (!AppendNet(*e.subNet, out)) return false;
                Marker(SubNetEnd).AppendTo(out);
            }
        }
    }
    return true;
}

class NetReader {
public:
    NetReader(std::string_view bytes, const OptionType& options, UserMessages& messages)
        : bytes_(bytes), options_(options), messages_(messages) {}

    bool ReadNet(NetWorkType& net, const std::string& path, int depth);

private:
    enum class Next { Record, End, Truncated };

    Next NextRecord(Record& r) {
        if (pos_ == bytes_.size()) return Next::End;
        if (bytes_.size() - pos_ < NetRecordSize) return Next::Truncated;
        r = Record(bytes_.substr(pos_, NetRecordSize));
        pos_ += NetRecordSize;
        return Next::Record;
    }

    bool Fail(const std::string& message) {
        messages_.Warning(message);
        return false;
    }

    bool ReadHeader(NetWorkType& net, const std::string& path);
    bool ReadPoints(NetWorkType& net, const std::string& path);
    bool ReadSubNet(NetWorkType& net, int from, int to, int depth, const std::string& path);
    bool ReadEdge(NetWorkType& net, const Record& r, const std::string& path, std::pair<int, int>& created);
    PointOptionType HeaderOptions(const Record& r) const;

    std::string_view bytes_;
    std::size_t pos_ = 0;
    const OptionType& options_;
    UserMessages& messages_;
};

PointOptionType NetReader::HeaderOptions(const Record& r) const {
    switch (static_cast<LoadMode>(options_.loadMode)) {
    case LoadMode::Default: return options_.newNetOptions;
    case LoadMode::Current: return options_.options;
    case LoadMode::Own: break;
    }
    PointOptionType o;
    o.radius = r.U16(4);
    o.fontSize = r.U16(6);
    o.showBorder = r.U8(8);
    o.showNumber = r.U8(9);
    o.fillPoint = r.U8(10);
    o.doubleBorder = r.U8(11);
    o.coloredBorder = r.U8(12);
    o.borderColor = r.U32(13);
    ApplyFillPointRule(o);
    if (o.radius > 15 || o.fontSize > 10) return options_.newNetOptions;
    return o;
}

bool NetReader::ReadHeader(NetWorkType& net, const std::string& path) {
    Record r;
    if (NextRecord(r) != Next::Record) return Fail(InvalidFileMessage(path));
    if (r.U8(0) != HeaderRecord || r.U8(1) >= NetKind.size()) return Fail(InvalidHeaderMessage(path));
    const std::uint16_t n = r.U16(2);
    if (n > MaxPoints) return Fail(TooManyPointsMessage(path));
    SetNetKind(net, r.U8(1));
    net.n = static_cast<std::uint8_t>(n);
    net.defaultOptions = HeaderOptions(r);
    net.view = options_.newDocumentView;
    return true;
}

bool NetReader::ReadPoints(NetWorkType& net, const std::string& path) {
    for (int k = 0; k < net.n; ++k) {
        Record r;
        if (NextRecord(r) != Next::Record) return Fail(InvalidFileMessage(path));
        const std::uint16_t number = r.U16(2);
        if (r.U8(0) != PointRecord || number < 1 || number > net.n) {
            return Fail(InvalidPointRecordMessage(path));
        }
        PointType& p = net.points[number];
        p = PointType{};
        p.shape = r.U8(1) < 8 ? r.U8(1) : 0;
        const double weight = r.Real(4);
        p.weight = weight <= MaxWeight ? weight : 1.0;
        p.color = r.U32(10);
        p.reserved = r.U8(14);
        p.name = r.Name(15);
        p.x = r.I16(36);
        p.y = r.I16(38);
        p.tokens = r.U16(40) <= MaxTokens ? r.U16(40) : 1;
        p.labelPosition = r.U8(42) < 8 ? r.U8(42) : 0;
        p.customOptions = r.U8(43);
        if (p.customOptions != 0) {
            p.options = GetOptions(r, 44);
            ApplyFillPointRule(p.options);
        } else {
            p.options = net.defaultOptions;
        }
    }
    return true;
}

bool NetReader::ReadEdge(NetWorkType& net, const Record& r, const std::string& path,
                         std::pair<int, int>& created) {
    const int from = r.U16(2);
    const int to = r.U16(4);
    const double weight = r.Real(6);
    if (r.U8(0) != EdgeRecord || !ValidPair(net, from, to) || !(weight >= 0.0 && weight <= MaxWeight)) {
        return Fail(InvalidEdgeRecordMessage(path));
    }
    if (EdgeExists(net, from, to)) return true;
    EdgeType e;
    e.weight = weight;
    e.flow = r.Real(12);
    e.color = r.U32(18);
    e.reserved = r.U8(22);
    e.name = r.Name(23);
    const std::uint8_t width = r.U8(44);
    const std::uint8_t style = r.U8(45);
    e.lineWidth = width < 5 ? width : 1;
    e.lineStyle = width == 1 && style < 5 ? style : 0;
    e.shape = r.U8(1) < 5 ? r.U8(1) : 0;
    InsertEdge(net, from, to, std::move(e));
    created = {from, to};
    return true;
}

bool NetReader::ReadSubNet(NetWorkType& net, int from, int to, int depth, const std::string& path) {
    // A block belongs to the edge created last at its level; without one the file is broken.
    if (from == 0) return Fail(InvalidEdgeRecordMessage(path));
    if (depth >= MaxSubNetDepth) return Fail(InvalidFileMessage(path));
    auto sub = std::make_shared<NetWorkType>();
    NetInit(*sub);
    NetClear(*sub);
    sub->sourcePoint = net.sourcePoint;
    sub->sinkPoint = net.sinkPoint;
    sub->interaction = net.interaction;
    sub->snapshotKind = net.snapshotKind;
    FindEdge(net, from, to)->subNet = sub;
    if (IsUndirected(net)) FindEdge(net, to, from)->subNet = sub;
    return ReadNet(*sub, std::string(), depth + 1);
}

bool NetReader::ReadNet(NetWorkType& net, const std::string& path, int depth) {
    NetClear(net);
    net.name = NetNameFromPath(path);
    for (auto& p : net.points)
        p = PointType{};
    if (!ReadHeader(net, path) || !ReadPoints(net, path)) return false;
    std::pair<int, int> created{0, 0};
    for (;;) {
        Record r;
        const Next next = NextRecord(r);
        if (next == Next::End) return true;
        if (next == Next::Truncated) return Fail(InvalidFileMessage(path));
        switch (r.U8(0)) {
        case SubNetEnd: return true;
        case SubNetBegin:
            if (!ReadSubNet(net, created.first, created.second, depth, path)) return false;
            break;
        default:
            if (!ReadEdge(net, r, path, created)) return false;
            break;
        }
    }
}

} // namespace

std::optional<std::string> NetFileBytes(const NetWorkType& net) {
    std::string out;
    if (!AppendNet(net, out)) return std::nullopt;
    return out;
}

bool ReadNetBytes(NetWorkType& net, std::string_view bytes, const std::string& path,
                  const OptionType& options, UserMessages& messages) {
    NetReader reader(bytes, options, messages);
    return reader.ReadNet(net, path, 0);
}

std::string NetNameFromPath(const std::string& path) {
    std::string name = FileNameOf(path);
    const auto dot = name.find('.');
    if (dot != std::string::npos) name.erase(dot, 4);
    return CutText(std::move(name), MaxNetNameLength);
}

bool SaveNetFile(const NetWorkType& net, const std::string& path, UserMessages& messages) {
    const auto bytes = NetFileBytes(net);
    if (!bytes || WriteFileAtomically(path, *bytes) != WriteStatus::Ok) {
        messages.Warning(CannotSaveMessage(path));
        return false;
    }
    return true;
}

bool LoadNetFile(NetWorkType& net, const std::string& path, const OptionType& options,
                 UserMessages& messages) {
    std::string bytes;
    if (ReadFileLimited(path, MaxNetFileSize, bytes) != ReadStatus::Ok) {
        NetClear(net);
        net.name = NetNameFromPath(path);
        messages.Warning(InvalidFileMessage(path));
        return false;
    }
    return ReadNetBytes(net, bytes, path, options, messages);
}

} // namespace plax
