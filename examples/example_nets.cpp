#include "example_nets.h"

#include "model/net_store.h"

#include <memory>

namespace plax::examples {

namespace {

NetWorkType NewNet(std::uint16_t kindCode) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kindCode);
    net.defaultOptions = DefaultPointOptions();
    return net;
}

int AddPoint(NetWorkType& net, std::int32_t x, std::int32_t y, const std::string& name,
             std::uint16_t shape = 0, std::uint16_t tokens = 1) {
    const int i = ++net.n;
    PointType& p = net.points[static_cast<std::size_t>(i)];
    p = PointType{};
    p.x = x;
    p.y = y;
    p.name = name;
    p.shape = shape;
    p.tokens = tokens;
    p.weight = 1.0;
    p.options = net.defaultOptions;
    return i;
}

void AddEdge(NetWorkType& net, int from, int to, double weight, const std::string& name = "No Name") {
    EdgeType e;
    e.weight = weight;
    e.name = name;
    e.lineWidth = 1;
    InsertEdge(net, from, to, std::move(e));
}

// Nine towns joined by roads; the weights are distances in kilometres.
NetWorkType RoadNet() {
    NetWorkType net = NewNet(UndirNetCode);
    net.name = "road";
    const int harbour = AddPoint(net, 60, 180, "Harbour");
    const int mill = AddPoint(net, 170, 70, "Mill");
    const int market = AddPoint(net, 190, 200, "Market");
    const int bridge = AddPoint(net, 160, 310, "Bridge");
    const int castle = AddPoint(net, 320, 60, "Castle");
    const int square = AddPoint(net, 330, 190, "Square");
    const int station = AddPoint(net, 310, 300, "Station");
    const int farm = AddPoint(net, 470, 110, "Farm");
    const int airport = AddPoint(net, 520, 250, "Airport");
    AddEdge(net, harbour, mill, 7, "Coast Rd");
    AddEdge(net, harbour, market, 5, "Quay St");
    AddEdge(net, harbour, bridge, 6, "Dock Rd");
    AddEdge(net, mill, market, 4, "Mill Ln");
    AddEdge(net, mill, castle, 8, "Hill Rd");
    AddEdge(net, market, square, 6, "High St");
    AddEdge(net, market, bridge, 3, "River Rd");
    AddEdge(net, bridge, station, 7, "Rail Rd");
    AddEdge(net, castle, square, 5, "Gate St");
    AddEdge(net, castle, farm, 9, "Old Rd");
    AddEdge(net, square, station, 2.5, "Park Ave");
    AddEdge(net, square, farm, 6, "North Rd");
    AddEdge(net, station, airport, 11, "Ring Rd");
    AddEdge(net, farm, airport, 4.5, "Field Ln");
    return net;
}

// Pipes from a source to a sink; the weights are capacities.
NetWorkType FlowNet() {
    NetWorkType net = NewNet(DirNetCode);
    net.name = "flow";
    const int s = AddPoint(net, 60, 175, "Source");
    const int a = AddPoint(net, 200, 70, "A");
    const int b = AddPoint(net, 200, 280, "B");
    const int c = AddPoint(net, 360, 70, "C");
    const int d = AddPoint(net, 360, 280, "D");
    const int t = AddPoint(net, 500, 175, "Sink");
    AddEdge(net, s, a, 10);
    AddEdge(net, s, b, 8);
    AddEdge(net, a, b, 2);
    AddEdge(net, a, c, 5);
    AddEdge(net, b, d, 10);
    AddEdge(net, d, a, 3);
    AddEdge(net, c, t, 7);
    AddEdge(net, d, c, 4);
    AddEdge(net, d, t, 6);
    return net;
}

// Building a shed: events are points, jobs are edges named after the work, weights are days.
NetWorkType ActivityNet() {
    NetWorkType net = NewNet(DirNetCode);
    net.name = "project";
    const int start = AddPoint(net, 50, 175, "Start");
    const int site = AddPoint(net, 170, 80, "Site");
    const int parts = AddPoint(net, 170, 270, "Parts");
    const int base = AddPoint(net, 300, 80, "Base");
    const int frame = AddPoint(net, 300, 270, "Frame");
    const int roof = AddPoint(net, 430, 175, "Roof");
    const int done = AddPoint(net, 550, 175, "Done");
    AddEdge(net, start, site, 2, "Survey");
    AddEdge(net, start, parts, 4, "Order");
    AddEdge(net, site, base, 3, "Dig");
    AddEdge(net, parts, frame, 2, "Cut");
    AddEdge(net, base, frame, 4, "Pour");
    AddEdge(net, site, parts, 1, "Measure");
    AddEdge(net, frame, roof, 3, "Raise");
    AddEdge(net, base, roof, 5, "Wire");
    AddEdge(net, roof, done, 2, "Paint");
    return net;
}

// A rail line whose middle stretch is decomposed into the stations along it.
NetWorkType DecomposedNet() {
    NetWorkType net = NewNet(UndirNetCode);
    net.name = "railway";
    const int west = AddPoint(net, 60, 175, "West");
    const int north = AddPoint(net, 230, 60, "North");
    const int south = AddPoint(net, 230, 290, "South");
    const int east = AddPoint(net, 420, 175, "East");
    const int port = AddPoint(net, 550, 175, "Port");
    AddEdge(net, west, north, 12, "Upper");
    AddEdge(net, west, south, 9, "Lower");
    AddEdge(net, north, east, 10, "Ridge");
    AddEdge(net, south, east, 5, "Valley");
    AddEdge(net, east, port, 6, "Pier");

    // The Valley line: points 1 and 2 stand for its ends, the rest are halts between them.
    NetWorkType valley = NewNet(UndirNetCode);
    AddPoint(valley, 60, 175, "South");
    AddPoint(valley, 540, 175, "East");
    const int ford = AddPoint(valley, 200, 90, "Ford");
    const int lake = AddPoint(valley, 200, 270, "Lake");
    const int mine = AddPoint(valley, 380, 175, "Mine");
    AddEdge(valley, 1, ford, 2, "Spur");
    AddEdge(valley, 1, lake, 3, "Shore");
    AddEdge(valley, ford, mine, 4, "Cut");
    AddEdge(valley, lake, mine, 1.5, "Dam");
    AddEdge(valley, mine, 2, 2.5, "Bank");
    SetSubNet(net, south, east, std::make_shared<NetWorkType>(std::move(valley)));
    return net;
}

// A producer and a consumer sharing a buffer of three slots.
NetWorkType PetriNet() {
    NetWorkType net = NewNet(DirNetCode);
    net.name = "petri";
    constexpr std::uint16_t place = 0;
    constexpr std::uint16_t transitionV = 2;
    const int ready = AddPoint(net, 60, 100, "Ready", place, 1);
    const int produce = AddPoint(net, 160, 175, "Produce", transitionV, 0);
    const int made = AddPoint(net, 60, 250, "Made", place, 0);
    const int put = AddPoint(net, 260, 250, "Put", transitionV, 0);
    const int buffer = AddPoint(net, 360, 175, "Buffer", place, 0);
    const int free = AddPoint(net, 300, 60, "Free", place, 3);
    const int take = AddPoint(net, 460, 175, "Take", transitionV, 0);
    const int got = AddPoint(net, 550, 250, "Got", place, 0);
    const int consume = AddPoint(net, 550, 100, "Consume", transitionV, 0);
    const int idle = AddPoint(net, 460, 60, "Idle", place, 1);
    AddEdge(net, ready, produce, 1);
    AddEdge(net, produce, made, 1);
    AddEdge(net, made, put, 1);
    AddEdge(net, put, ready, 1);
    AddEdge(net, put, buffer, 1);
    AddEdge(net, free, put, 1);
    AddEdge(net, buffer, take, 1);
    AddEdge(net, take, free, 1);
    AddEdge(net, idle, take, 1);
    AddEdge(net, take, got, 1);
    AddEdge(net, got, consume, 1);
    AddEdge(net, consume, idle, 1);
    return net;
}

} // namespace

std::vector<ExampleNet> ExampleNets() {
    std::vector<ExampleNet> nets;
    nets.push_back({"road.net", "towns joined by roads, distances in km (undirected)", RoadNet()});
    nets.push_back({"flow.net", "pipes from Source to Sink with capacities (directed)", FlowNet()});
    nets.push_back({"project.net", "an activity net: jobs as edges, days as weights", ActivityNet()});
    nets.push_back(
        {"railway.net", "a rail net whose Valley line is decomposed into a sub-net", DecomposedNet()});
    nets.push_back(
        {"petri.net", "a producer and a consumer sharing a three-slot buffer (Petri net)", PetriNet()});
    return nets;
}

} // namespace plax::examples
