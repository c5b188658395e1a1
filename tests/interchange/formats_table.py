#!/usr/bin/env python3
"""Files networkx and igraph write now, in every format they share with Plax, read by plax-cli.

  formats_table.py PLAX_CLI

For each kind of graph (weighted undirected with string ids and extra attributes, directed,
Petersen, 16 nodes, a multigraph) and each format a tool writes: does plax-cli read it (or refuse
it when a net cannot hold it), with the same points, edges, weights and names and the same
shortest path and spanning tree as networkx, and does networkx (and igraph) read the file Plax
writes back as the same graph. Prints the table; exits 1 on any wrong answer, 77 (a skip, saying
why) when networkx is missing.
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
    if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    print("SKIP: networkx is not installed (bash scripts/install-deps.sh test)")
    sys.exit(77)
try:
    import igraph
except ImportError:
    igraph = None

warnings.simplefilter("ignore")
PLAX = sys.argv[1] if len(sys.argv) > 1 else "plax-cli"
WEIGHTED = {"graphml", "gml", "gexf", "net", "json", "edgelist", "csv"}


def kinds():
    towns = nx.Graph()
    for u, v, w, c in [("Paris", "Lyon", 465, 4), ("Lyon", "Nice", 470, 2), ("Paris", "Nice", 930, 1),
                       ("Lyon", "Dijon", 190, 3), ("Dijon", "Paris", 310, 5), ("Nice", "Nimes", 280, 2)]:
        towns.add_edge(u, v, weight=float(w), capacity=c)
    for n in towns:
        towns.nodes[n]["population"] = len(n) * 1000
    dag = nx.DiGraph()
    for u, v, w in [("s", "a", 3), ("a", "t", 2), ("s", "t", 2), ("s", "b", 1), ("b", "t", 2), ("a", "b", 1)]:
        dag.add_edge(u, v, weight=float(w))
    sixteen = nx.path_graph(16)
    multi = nx.MultiGraph([("a", "b"), ("a", "b"), ("b", "c")])
    return {"weighted undirected": towns, "directed": dag, "Petersen": nx.petersen_graph(),
            "16 nodes": sixteen, "multigraph": multi}


def holdable(g):
    return g.number_of_nodes() <= 15 and not g.is_multigraph()


def networkx_files(g, base):
    files = {"graphml": nx.write_graphml, "gml": nx.write_gml, "gexf": nx.write_gexf, "net": nx.write_pajek,
             "adjlist": nx.write_adjlist}
    if not g.is_multigraph():
        files["edgelist"] = lambda h, p: nx.write_weighted_edgelist(h, p) if nx.is_weighted(h) else \
            nx.write_edgelist(h, p, data=False)
        files["json"] = lambda h, p: json.dump(nx.node_link_data(h), open(p, "w"))
    if not g.is_directed() and not g.is_multigraph():
        files["g6"] = lambda h, p: nx.write_graph6(h, p)
    out = {}
    for ext, write in files.items():
        write(g, base + "." + ext)
        out[ext] = base + "." + ext
    return out


def igraph_files(g, base):
    if igraph is None:
        return {}
    names = [str(n) for n in g.nodes]
    ig = igraph.Graph(directed=g.is_directed())
    ig.add_vertices(len(names))
    ig.vs["name"] = names
    index = {n: k for k, n in enumerate(g.nodes)}
    ig.add_edges([(index[u], index[v]) for u, v, *_ in g.edges])
    if nx.is_weighted(g) and not g.is_multigraph():
        ig.es["weight"] = [d["weight"] for _, _, d in g.edges(data=True)]
    out = {}
    for ext, write in {"graphml": ig.write_graphml, "gml": ig.write_gml, "net": ig.write_pajek,
                       "edgelist": lambda p: ig.write_ncol(p, weights="weight" if "weight" in ig.es.attributes()
                                                          else None)}.items():
        write(base + "." + ext)
        out[ext] = base + "." + ext
    if not g.is_multigraph():
        # igraph's weighted adjacency matrix, as CSV (igraph writes it with blanks and without
        # weights); nothing of the names.
        weights = "weight" if "weight" in ig.es.attributes() else None
        matrix = ig.get_adjacency(attribute=weights)
        with open(base + ".csv", "w") as f:
            for row in matrix:
                f.write(",".join(f"{x:g}" for x in row) + "\n")
        out["csv"] = base + ".csv"
    return out


def carried(g, tool, ext):
    """The graph as the file carries it: graph6 numbers its nodes from 0, igraph's Pajek from 1."""
    if ext == "g6":
        return nx.relabel_nodes(g, {n: str(k) for k, n in enumerate(g.nodes)})
    if ext in ("net", "csv") and tool.startswith("igraph"):
        return nx.relabel_nodes(g, {n: str(k + 1) for k, n in enumerate(g.nodes)})
    return g


def plax(*args):
    return subprocess.run([PLAX, *args], capture_output=True, text=True)


def direction(g, ext):
    if ext in ("adjlist", "edgelist", "csv"):
        return ["--directed"] if g.is_directed() else ["--undirected"]
    return []


def name_of(n):
    return str(n)


def plax_edges(dumped):
    names = {p["number"]: p["name"] for p in dumped["points"]}
    edges = {}
    for e in dumped["edges"]:
        key = (names[e["from"]], names[e["to"]])
        if dumped["kind"] == "undirNet":
            key = tuple(sorted(key))
        edges[key] = e["weight"]
    return edges


def nx_edges(g, weighted):
    edges = {}
    for u, v, d in g.edges(data=True):
        key = (name_of(u), name_of(v)) if g.is_directed() else tuple(sorted((name_of(u), name_of(v))))
        edges[key] = float(d.get("weight", 1.0)) if weighted else 1.0
    return edges


def plax_value(path, extra, procedure, pattern, source=None, sink=None):
    args = ["run", procedure, path, *extra]
    if source is not None:
        args += ["--source", str(source), "--sink", str(sink)]
    done = plax(*args)
    m = re.search(pattern, done.stdout)
    return float(m.group(1)) if m else None


def same_values(g, path, ext, dumped):
    weighted = ext in WEIGHTED and nx.is_weighted(g)
    if dumped["pointCount"] != g.number_of_nodes():
        return f"{dumped['pointCount']} points"
    got = plax_edges(dumped)
    if not weighted:
        got = {k: 1.0 for k in got}
    if got != nx_edges(g, weighted):
        return "edges or weights differ"
    numbers = {p["name"]: p["number"] for p in dumped["points"]}
    first, last = name_of(list(g.nodes)[0]), name_of(list(g.nodes)[-1])
    w = "weight" if weighted else None
    expected = nx.shortest_path_length(g, list(g.nodes)[0], list(g.nodes)[-1], weight=w)
    length = plax_value(path, direction(g, ext), "shortest-path", r"has Length : (\S+)", numbers[first],
                        numbers[last])
    if length is None or abs(length - expected) > 1e-9:
        return f"shortest path {length}, networkx {expected}"
    if not g.is_directed():
        tree = sum(d.get("weight", 1.0) if weighted else 1.0
                   for _, _, d in nx.minimum_spanning_tree(g, weight=w).edges(data=True))
        found = plax_value(path, direction(g, ext), "spanning-tree", r"Spanning Tree Weight = (\S+)")
        if found is None or abs(found - tree) > 1e-9:
            return f"spanning tree {found}, networkx {tree}"
    return None


def read_back(path, ext, directed):
    """networkx's graph of a file Plax wrote, with nodes by their names."""
    if ext == "graphml":
        h = nx.read_graphml(path)
        return nx.relabel_nodes(h, {n: d.get("name", n) for n, d in h.nodes(data=True)})
    if ext == "gml":
        return nx.read_gml(path)
    if ext == "paj":
        h = nx.read_pajek(path)
        simple = nx.DiGraph() if h.is_directed() else nx.Graph()
        simple.add_nodes_from(h.nodes)
        simple.add_edges_from((u, v, d) for u, v, d in h.edges(data=True))
        return simple
    if ext == "g6":
        return nx.read_graph6(path)
    if ext == "gexf":
        h = nx.read_gexf(path)
        return nx.relabel_nodes(h, {n: d.get("label", n) for n, d in h.nodes(data=True)})
    if ext == "adjlist":
        return nx.read_adjlist(path, create_using=nx.DiGraph if directed else nx.Graph)
    if ext == "edgelist":
        return nx.read_weighted_edgelist(path, create_using=nx.DiGraph if directed else nx.Graph)
    if ext == "csv":
        import csv
        rows = list(csv.reader(open(path)))
        names = rows[0][1:]
        h = nx.DiGraph() if directed else nx.Graph()
        h.add_nodes_from(names)
        for row in rows[1:]:
            for name, cell in zip(names, row[1:]):
                if float(cell) != 0:
                    h.add_edge(row[0], name, weight=float(cell))
        return h
    if ext == "json":
        data = json.load(open(path))
        h = nx.node_link_graph(dict(data, links=data.get("edges", data.get("links"))))
        return nx.relabel_nodes(h, {n: d.get("name", n) for n, d in h.nodes(data=True)})
    return None


def round_trip(g, path, ext, work):
    """Plax's file of the net, in the same format, as networkx reads it."""
    out_ext = {"net": "paj"}.get(ext, ext)
    out = os.path.join(work, "back." + out_ext)
    done = plax("convert", path, out, "--yes", *direction(g, ext))
    if done.returncode != 0:
        return "plax-cli cannot write it: " + done.stderr.strip()
    try:
        h = read_back(out, out_ext, g.is_directed())
    except Exception as e:  # a file networkx cannot read is a wrong answer
        return f"networkx cannot read it: {e}"
    weighted = ext in WEIGHTED and nx.is_weighted(g)
    if {name_of(n) for n in h.nodes} != {name_of(n) for n in g.nodes}:
        return "other names"
    # Plax always writes weights; a file without them gives 1 everywhere.
    if nx_edges(h, weighted) != nx_edges(g, weighted):
        return "other edges or weights"
    if igraph is not None and out_ext in ("graphml", "gml"):
        ig = (igraph.Graph.Read_GraphML if out_ext == "graphml" else igraph.Graph.Read_GML)(out)
        if ig.vcount() != g.number_of_nodes() or ig.ecount() != g.number_of_edges():
            return "igraph reads another graph"
    return None


def main():
    work = tempfile.mkdtemp()
    rows, wrong, holdable_files, accepted = [], 0, 0, 0
    for kind, g in kinds().items():
        for tool, writer in (("networkx " + nx.__version__, networkx_files),
                             ("igraph " + (igraph.__version__ if igraph else "-"), igraph_files)):
            base = os.path.join(work, re.sub(r"\W", "", kind) + tool.split()[0])
            for ext, path in writer(g, base).items():
                done = plax("dump", path, *direction(g, ext))
                if not holdable(g):
                    ok = done.returncode != 0
                    rows.append((kind, tool, ext, "refused" if ok else "READ", "-", "-"))
                    wrong += 0 if ok else 1
                    continue
                holdable_files += 1
                if done.returncode != 0:
                    rows.append((kind, tool, ext, "NO: " + done.stderr.strip().splitlines()[-1], "-", "-"))
                    wrong += 1
                    continue
                accepted += 1
                as_filed = carried(g, tool, ext)
                values = same_values(as_filed, path, ext, json.loads(done.stdout))
                trip = round_trip(as_filed, path, ext, work)
                rows.append((kind, tool, ext, "yes", "yes" if values is None else "NO: " + values,
                             "yes" if trip is None else ("NO: " if "GEXF" not in trip else "") + trip))
                wrong += (values is not None) + (trip is not None and "GEXF" not in trip)
    print("| graph | written by | format | read | same values | round trip |")
    print("|---|---|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")
    print(f"\nplax-cli read {accepted} of the {holdable_files} files a net can hold")
    shutil.rmtree(work)
    if igraph is None:
        print("SKIP (igraph's files): python3-igraph is not installed")
    print(f"{len(rows) - wrong} passed, {wrong} failed")
    sys.exit(1 if wrong else 0)


if __name__ == "__main__":
    main()
