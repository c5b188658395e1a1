#!/usr/bin/env python3
"""Plax's files in networkx and igraph, and files of networkx and Graphviz in Plax.

  other_tools.py to-networkx PLAX_CLI EXAMPLES_DIR   networkx loads Plax's GraphML and JSON of every
                                                      example and of random nets, and finds the
                                                      shortest path plax-cli finds
  other_tools.py to-igraph PLAX_CLI EXAMPLES_DIR     igraph reads the GraphML of every example with
                                                      the points and edges networkx reads
  other_tools.py from-tools PLAX_CLI                  files networkx and Graphviz's dot write now
                                                      load into Plax with the same shortest paths
  other_tools.py fixtures DIR                         writes the small files committed as test data

Exits 77 (a skip, with the reason printed) when networkx, igraph for to-igraph, or for DOT
Graphviz's dot, is missing.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import warnings

try:
    import networkx as nx
except ImportError:
    # Debian's python3-networkx lives beside the system's interpreter, not a python3 of one's own.
    if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    print("SKIP: networkx is not installed (bash scripts/install-deps.sh test)")
    sys.exit(77)

warnings.simplefilter("ignore")
GRAPHML_NS = "{http://graphml.graphdrawing.org/xmlns}"


def cli(plax, *args, stdin=None):
    done = subprocess.run([plax, *args], input=stdin, capture_output=True, text=True)
    if done.returncode != 0:
        raise SystemExit(f"FAIL: plax-cli {' '.join(args)}: {done.stderr}")
    return done.stdout


def plax_length(plax, path, source, sink):
    """The length plax-cli finds, or None when the sink cannot be reached (the click is refused)."""
    args = ["run", "shortest-path", path, "--source", str(source), "--sink", str(sink)]
    done = subprocess.run([plax, *args], capture_output=True, text=True)
    if done.returncode == 1 and ("There aren`t Paths" in done.stderr or "There are not Paths" in done.stderr):
        return None
    m = re.search(r"has Length : (\S+)", done.stdout)
    if done.returncode != 0 or not m:
        raise SystemExit(f"FAIL: plax-cli {' '.join(args)}: {done.stderr}")
    return float(m.group(1))


def nx_length(g, source, sink):
    try:
        return nx.shortest_path_length(g, source, sink, weight="weight")
    except nx.NetworkXNoPath:
        return None


def decomposed(g, subnets):
    """An edge with a sub-net is as long as the sub-net's shortest path from its point 1 to 2."""
    for u, v, sub in subnets(g):
        nodes = list(sub.nodes)
        length = nx_length(decomposed(sub, subnets), nodes[0], nodes[1]) if len(nodes) > 1 else None
        if length is not None:
            g[u][v]["weight"] = length
    return g


def graph_of(data):
    try:
        return nx.node_link_graph(data, edges="edges")
    except TypeError:  # networkx before 3.4 knows "links" only
        return nx.node_link_graph(dict(data, links=data["edges"]))


def json_subnets(g):
    return [(u, v, graph_of(d["plax_subnet"])) for u, v, d in g.edges(data=True) if "plax_subnet" in d]


def graphml_subnets_of(path):
    """networkx passes over the graphs nested in edges; they are read here with their edges' ends."""
    import xml.etree.ElementTree as ET

    def build(graph_el):
        g = nx.DiGraph() if graph_el.get("edgedefault") == "directed" else nx.Graph()
        keys = {k.get("id"): k.get("attr.name") for k in root.iter(GRAPHML_NS + "key")}
        for n in graph_el.findall(GRAPHML_NS + "node"):
            g.add_node(n.get("id"))
        for e in graph_el.findall(GRAPHML_NS + "edge"):
            data = {keys[d.get("key")]: d.text for d in e.findall(GRAPHML_NS + "data")}
            sub = e.find(GRAPHML_NS + "graph")
            g.add_edge(e.get("source"), e.get("target"), weight=float(data.get("weight", 1)),
                       sub=build(sub) if sub is not None else None)
        return g

    root = ET.parse(path).getroot()
    return build(root.find(GRAPHML_NS + "graph"))


def to_networkx(plax, examples):
    work = tempfile.mkdtemp()
    nets = [os.path.join(examples, f) for f in sorted(os.listdir(examples)) if f.endswith(".net")]
    for seed in range(1, 9):
        kind = "gnp" if seed % 2 else "gnm"
        path = os.path.join(work, f"random{seed}.net")
        cli(plax, "generate", kind, path, "--n", str(6 + seed), "--m", str(2 * seed + 8), "--p", "0.35",
            "--seed", str(seed), "--weights", "random", "--range", "1:20", *(["--directed"] if seed % 3 else []))
        nets.append(path)
    checked = 0
    for net in nets:
        n = json.loads(cli(plax, "dump", net))["pointCount"]
        base = os.path.join(work, os.path.basename(net))
        cli(plax, "convert", net, base + ".graphml")
        cli(plax, "convert", net, base + ".json")
        expected = plax_length(plax, net, 1, n)
        g = nx.read_graphml(base + ".graphml")
        j = graph_of(json.load(open(base + ".json")))
        if g.number_of_nodes() != n or j.number_of_nodes() != n:
            raise SystemExit(f"FAIL: {net}: networkx reads {g.number_of_nodes()} and {j.number_of_nodes()} nodes")
        nested = graphml_subnets_of(base + ".graphml")
        subnets = lambda h: [(u, v, d["sub"]) for u, v, d in h.edges(data=True) if d.get("sub") is not None]
        # networkx's own graph takes its sub-nets from the nested graphs read beside it.
        top = lambda h: [(u, v, nested[u][v]["sub"]) for u, v in h.edges if nested[u][v]["sub"] is not None]
        lengths = {
            "GraphML": nx_length(decomposed(g, lambda h: top(h) if h is g else subnets(h)), "1", str(n)),
            "JSON": nx_length(decomposed(j, json_subnets), 1, n),
            "GraphML's nested graphs": nx_length(decomposed(nested, subnets), "1", str(n)),
        }
        for what, length in lengths.items():
            if (length is None) != (expected is None) or (length is not None and abs(length - expected) > 1e-9):
                raise SystemExit(f"FAIL: {net}: networkx on {what} finds {length}, plax-cli {expected}")
        checked += 1
    shutil.rmtree(work)
    print(f"networkx {nx.__version__} found plax-cli's shortest path in {checked} nets, GraphML and JSON")


def foreign_graphs():
    towns = nx.Graph(name="towns")
    for u, v, w in [("Ash", "Birch", 4), ("Ash", "Cedar", 2.5), ("Birch", "Cedar", 1), ("Birch", "Dale", 5),
                    ("Cedar", "Dale", 8), ("Cedar", "Elm", 10), ("Dale", "Elm", 2), ("Elm", "Fir", 3)]:
        towns.add_edge(u, v, weight=float(w))
    pipes = nx.DiGraph()
    for u, v, w in [(1, 2, 3), (1, 3, 1), (3, 2, 1), (2, 4, 6), (3, 4, 9), (4, 5, 1), (2, 5, 12)]:
        pipes.add_edge(u, v, weight=float(w))
    return {"towns": towns, "pipes": pipes}


def write_foreign(g, base):
    """The files networkx writes of `g`: GraphML, node-link JSON, the weighted edge list."""
    nx.write_graphml(g, base + ".graphml")
    data = nx.node_link_data(g)
    json.dump(data, open(base + ".json", "w"))
    nx.write_weighted_edgelist(g, base + ".edgelist")
    return [base + ".graphml", base + ".json", base + ".edgelist"]


def dot_source(g):
    arrow = "->" if g.is_directed() else "--"
    lines = [f'  "{u}" {arrow} "{v}" [weight="{d["weight"]:g}"];' for u, v, d in g.edges(data=True)]
    return ("digraph" if g.is_directed() else "graph") + " {\n" + "\n".join(lines) + "\n}\n"


def from_tools(plax):
    work = tempfile.mkdtemp()
    dot = shutil.which("dot")
    if dot is None:
        print("SKIP (DOT only): Graphviz's dot is not installed (bash scripts/install-deps.sh test)")
    checked = 0
    for name, g in foreign_graphs().items():
        base = os.path.join(work, name)
        files = write_foreign(g, base)
        if dot is not None:
            # dot writes the graph back with its layout: positions, sizes, the bounding box.
            laid_out = subprocess.run([dot, "-Tdot", "-o", base + ".gv"], input=dot_source(g), text=True)
            if laid_out.returncode != 0:
                raise SystemExit("FAIL: dot -Tdot")
            files.append(base + ".gv")
        nodes = list(g.nodes)
        # Points are numbered in file order, or by the ids when they are 1..N: either way the first
        # node written is point 1. An edge list names its nodes in the order its edges bring them.
        for path in files:
            order = nodes
            if path.endswith(".edgelist"):
                order = list(dict.fromkeys(w for u, v in g.edges for w in (str(u), str(v))))
                if sorted(order) == [str(i) for i in range(1, len(order) + 1)]:
                    order = sorted(order, key=int)
            dumped = json.loads(cli(plax, "dump", path))
            if dumped["pointCount"] != len(nodes) or (path.endswith(".gv") and dumped["points"][0]["x"] == 0):
                raise SystemExit(f"FAIL: {path}: {dumped['pointCount']} points")
            source, sink = 1, len(nodes)
            expected = nx_length(g, type(nodes[0])(order[0]), type(nodes[0])(order[-1]))
            got = plax_length(plax, path, source, sink)
            if got is None or abs(got - expected) > 1e-9:
                raise SystemExit(f"FAIL: {path}: plax-cli finds {got}, networkx {expected}")
            checked += 1
    shutil.rmtree(work)
    print(f"plax-cli read {checked} files of networkx {nx.__version__}" + (" and Graphviz" if dot else ""))
    if dot is None:
        sys.exit(77)


def to_igraph(plax, examples):
    try:
        import igraph
    except ImportError:
        if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
            os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
        print("SKIP: python3-igraph is not installed (bash scripts/install-deps.sh test)")
        sys.exit(77)
    work = tempfile.mkdtemp()
    checked = 0
    for f in sorted(os.listdir(examples)):
        if not f.endswith(".net"):
            continue
        net = os.path.join(examples, f)
        path = os.path.join(work, f + ".graphml")
        cli(plax, "convert", net, path)
        n = json.loads(cli(plax, "dump", net))["pointCount"]
        edges = nx.read_graphml(path).number_of_edges()
        ig = igraph.Graph.Read_GraphML(path)
        if ig.vcount() != n or ig.ecount() != edges:
            raise SystemExit(f"FAIL: {net}: igraph reads {ig.vcount()} points, {ig.ecount()} edges")
        checked += 1
    shutil.rmtree(work)
    print(f"igraph {igraph.__version__} read the GraphML of {checked} nets as networkx does")


def fixtures(folder):
    for name, g in foreign_graphs().items():
        write_foreign(g, os.path.join(folder, "networkx-" + name))
        if shutil.which("dot"):
            subprocess.run(["dot", "-Tdot", "-o", os.path.join(folder, "graphviz-" + name + ".gv")],
                           input=dot_source(g), text=True, check=True)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    {"to-networkx": lambda: to_networkx(sys.argv[2], sys.argv[3]),
     "to-igraph": lambda: to_igraph(sys.argv[2], sys.argv[3]),
     "from-tools": lambda: from_tools(sys.argv[2]),
     "fixtures": lambda: fixtures(sys.argv[2])}[sys.argv[1]]()
