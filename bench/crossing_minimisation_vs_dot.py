"""Crossings of arborix-cli minimize-crossings and of Graphviz dot on random level graphs.

Both programs get the same proper level graph (long edges already split by dummy
vertices) with the same initial order on every level. Each side's orders are read from its
output by x coordinate and counted by count_crossings below, so the figures compare like
with like. Times are whole-process wall times, peak memory the largest resident set.
"""
import argparse
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

SEP = 30


def random_level_graph(rng, levels, widths, edges_per_vertex, long_share):
    """Vertices (name, level, is_dummy) and proper edges (lower name, upper name)."""
    vertices = []
    at = []
    for level, width in enumerate(widths):
        names = [f"v{level}_{i}" for i in range(width)]
        at.append(names)
        vertices += [(n, level, False) for n in names]
    wanted = int(edges_per_vertex * len(vertices))
    seen = set()
    edges = []
    dummies = 0
    attempts = 0
    while len(seen) < wanted and attempts < 20 * wanted:
        attempts += 1
        low = rng.randrange(levels - 1)
        span = 1
        if rng.random() < long_share and levels - 1 - low >= 2:
            span = rng.randint(2, min(3, levels - 1 - low))
        a, b = rng.choice(at[low]), rng.choice(at[low + span])
        if (a, b) in seen:
            continue
        seen.add((a, b))
        prev = a
        for step in range(1, span):
            d = f"d{dummies}"
            dummies += 1
            vertices.append((d, low + step, True))
            edges.append((prev, d))
            prev = d
        edges.append((prev, b))
    # A shuffled start on every level, the same for both programs.
    order = {}
    for level in range(levels):
        names = [n for n, l, _ in vertices if l == level]
        rng.shuffle(names)
        for i, n in enumerate(names):
            order[n] = i
    return vertices, edges, order


def count_crossings(vertices, edges, pos):
    """Crossings between adjacent levels for positions pos (name -> place on its level)."""
    level = {n: l for n, l, _ in vertices}
    gaps = {}
    for a, b in edges:
        gaps.setdefault(level[a], []).append((pos[a], pos[b]))
    total = 0
    for ends in gaps.values():
        ends.sort()
        # Inversions of the upper ends, ties on either side never cross (Fenwick tree).
        size = max(b for _, b in ends) + 2
        tree = [0] * (size + 1)
        seen = 0
        i = 0
        while i < len(ends):
            j = i
            while j < len(ends) and ends[j][0] == ends[i][0]:
                j += 1
            for _, b in ends[i:j]:
                k, below = b + 1, 0
                while k > 0:
                    below += tree[k]
                    k -= k & -k
                # earlier edges with a strictly greater upper end
                k, upto = b + 2, 0
                while k > 0:
                    upto += tree[k]
                    k -= k & -k
                total += seen - upto
            for _, b in ends[i:j]:
                k = b + 2
                while k <= size:
                    tree[k] += 1
                    k += k & -k
                seen += 1
            i = j
    return total


def orders_from_x(vertices, x):
    pos = {}
    by_level = {}
    for n, l, _ in vertices:
        by_level.setdefault(l, []).append(n)
    for names in by_level.values():
        names.sort(key=lambda n: (x[n], n))
        for i, n in enumerate(names):
            pos[n] = i
    return pos


# CPU seconds (user and system) of the completed timed runs, by program: arborix-cli may
# use a second core, so its wall time alone would flatter it.
CPU = {}


def timed(cmd, timeout=None):
    """(seconds, peak resident kB, completed) of a whole process."""
    start = time.perf_counter()
    # A session of its own, so that a timeout stops the measured program and not only time(1).
    p = subprocess.Popen(["/usr/bin/time", "-f", "%M %U %S"] + cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                         text=True, start_new_session=True)
    try:
        _, err = p.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.communicate()
        return time.perf_counter() - start, None, False
    seconds = time.perf_counter() - start
    if p.returncode != 0:
        sys.exit(f"failed: {' '.join(cmd)}\n{err}")
    peak, user, system = err.strip().splitlines()[-1].split()
    name = os.path.basename(cmd[0])
    CPU[name] = CPU.get(name, 0.0) + float(user) + float(system)
    return seconds, int(peak), True


def write_graphml(src, vertices, edges, order):
    with open(src, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n<graphml xmlns="http://graphml.graphdrawing.org/xmlns">\n')
        for k, name, typ in (("n", "name", "string"), ("x", "x", "double"), ("y", "y", "double"),
                             ("t", "track", "int"), ("b", "bend", "boolean")):
            f.write(f'<key id="{k}" for="node" attr.name="{name}" attr.type="{typ}"/>\n')
        f.write('<graph id="G" edgedefault="undirected">\n')
        for n, l, dummy in vertices:
            f.write(f'<node id="{n}"><data key="n">{n}</data><data key="x">{60 + SEP * order[n]}</data>'
                    f'<data key="y">{SEP * (l + 1)}</data><data key="t">{l + 1}</data>'
                    f'<data key="b">{"true" if dummy else "false"}</data></node>\n')
        for a, b in edges:
            f.write(f'<edge source="{a}" target="{b}"/>\n')
        f.write("</graph>\n</graphml>\n")


def run_ours(cli, work, vertices, edges, order, graphml=False):
    """Our orders, and the time and peak of the timed command. That command reads and writes
    the program's own .lxd, as dot reads its own DOT, unless `graphml`; the conversions
    from and to GraphML around it are not timed."""
    src, out = os.path.join(work, "g.graphml"), os.path.join(work, "out.graphml")
    write_graphml(src, vertices, edges, order)
    if graphml:
        seconds, peak, _ = timed([cli, "minimize-crossings", src, "-o", out, "--yes"])
    else:
        src_lxd, out_lxd = os.path.join(work, "g.lxd"), os.path.join(work, "out.lxd")
        subprocess.run([cli, "convert", src, src_lxd], check=True, stdout=subprocess.DEVNULL)
        seconds, peak, _ = timed([cli, "minimize-crossings", src_lxd, "-o", out_lxd, "--yes"])
        subprocess.run([cli, "convert", out_lxd, out], check=True, stdout=subprocess.DEVNULL)
    tree = ET.parse(out)
    ns = {"g": "http://graphml.graphdrawing.org/xmlns"}
    keys = {k.get("attr.name"): k.get("id") for k in tree.getroot().findall("g:key", ns)}
    x = {}
    for node in tree.getroot().iter("{http://graphml.graphdrawing.org/xmlns}node"):
        data = {d.get("key"): d.text for d in node.findall("g:data", ns)}
        x[data[keys["name"]]] = float(data[keys["x"]])
    return orders_from_x(vertices, x), seconds, peak


def run_dot(work, vertices, edges, order, timeout=None):
    src = os.path.join(work, "g.dot")
    by_level = {}
    for n, l, _ in vertices:
        by_level.setdefault(l, []).append(n)
    with open(src, "w") as f:
        f.write("digraph G {\nnode [shape=point];\n")
        for l in sorted(by_level):
            names = sorted(by_level[l], key=lambda n: order[n])
            f.write("{rank=same; " + " ".join(f'"{n}"' for n in names) + ";}\n")
        for a, b in edges:
            f.write(f'"{a}" -> "{b}";\n')
        f.write("}\n")
    out = os.path.join(work, "g.plain")
    seconds, peak, done = timed(["dot", "-Tplain", "-o", out, src], timeout)
    if not done:
        return None, seconds, None
    x, y = {}, {}
    with open(out) as f:
        for line in f:
            if line.startswith("node "):
                parts = line.split()
                name = parts[1].strip('"')
                x[name], y[name] = float(parts[2]), float(parts[3])
    # Orders by x mean something only if dot kept every level on a rank of its own.
    heights = {}
    for n, l, _ in vertices:
        heights.setdefault(l, set()).add(y[n])
    if any(len(h) != 1 for h in heights.values()) or len({min(h) for h in heights.values()}) != len(heights):
        sys.exit("dot did not keep the levels as ranks")
    return orders_from_x(vertices, x), seconds, peak


def main():
    p = argparse.ArgumentParser()
    p.add_argument("cli")
    p.add_argument("--graphs", type=int, default=200)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--large", nargs="*", type=int, help="vertex counts of large graphs (default 10000 100000)")
    p.add_argument("--graphml", action="store_true", help="time our command on GraphML in and out instead of .lxd")
    args = p.parse_args()

    work = tempfile.mkdtemp(prefix="arborix-vs-dot-")
    ours_total = dot_total = worse = 0
    ours_time = dot_time = 0.0
    for i in range(args.graphs):
        rng = random.Random(args.seed * 100003 + i)
        levels = rng.randint(3, 10)
        widths = [rng.randint(5, 40) for _ in range(levels)]
        density = rng.choice([0.8, 1.2, 1.6, 2.2, 3.0])
        g = random_level_graph(rng, levels, widths, density, 0.2)
        ours, t_ours, _ = run_ours(args.cli, work, *g, graphml=args.graphml)
        dot, t_dot, _ = run_dot(work, *g)
        c_ours, c_dot = count_crossings(g[0], g[1], ours), count_crossings(g[0], g[1], dot)
        ours_total += c_ours
        dot_total += c_dot
        worse += c_ours > c_dot
        ours_time += t_ours
        dot_time += t_dot
    print(f"{args.graphs} random level graphs (seed {args.seed}): 3-10 levels, 5-40 vertices per level, "
          f"0.8-3 edges per vertex, a fifth of the edges long")
    print(f"total crossings: arborix {ours_total}, dot {dot_total}, ratio {ours_total / max(dot_total, 1):.3f}")
    print(f"graphs with more crossings than dot: {worse} ({100.0 * worse / max(args.graphs, 1):.1f} %)")
    print(f"time: arborix {ours_time:.2f} s, dot {dot_time:.2f} s (whole processes, summed; "
          f"ours on {'GraphML' if args.graphml else '.lxd'} files, dot on DOT)")
    print(f"CPU time: arborix {CPU.get(os.path.basename(args.cli), 0.0):.2f} s, dot {CPU.get('dot', 0.0):.2f} s")

    if args.large is not None:
        for n in args.large or [10000, 100000]:
            # Levels of at most 250 vertices before dummies (about 360 with them), so that the
            # drawing fits on the canvas at the default separation.
            levels = max(3, int(round(n ** 0.5 / 2)), -(-n // 250))
            rng = random.Random(args.seed + n)
            g = random_level_graph(rng, levels, [n // levels] * levels, 1.5, 0.2)
            cpu_before = CPU.get(os.path.basename(args.cli), 0.0)
            ours, t_ours, m_ours = run_ours(args.cli, work, *g, graphml=args.graphml)
            cpu_ours = CPU[os.path.basename(args.cli)] - cpu_before
            dot, t_dot, m_dot = run_dot(work, *g, timeout=1200)
            c_ours = count_crossings(g[0], g[1], ours)
            line = f"{len(g[0])} vertices ({n} before dummies), {len(g[1])} edges: arborix {c_ours} crossings, " \
                   f"{t_ours:.1f} s ({cpu_ours:.1f} s CPU), {m_ours // 1024} MB"
            # Levels wider than the canvas are refused and the file comes back as it went in.
            if ours == g[2]:
                line += " (orders unchanged: the levels did not fit on the canvas)"
            if dot is None:
                line += f"; dot did not finish in {t_dot:.0f} s"
            else:
                line += f"; dot {count_crossings(g[0], g[1], dot)} crossings, {t_dot:.1f} s, {m_dot // 1024} MB"
            print(line, flush=True)


if __name__ == "__main__":
    main()
