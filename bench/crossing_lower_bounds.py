"""Lower bounds on the crossings of the random level graphs of crossing_minimisation_vs_dot.py.

How far can any orders go below dot's? For each graph this proves a lower bound on the
crossings of every choice of orders and sets it beside arborix-cli's and dot's counts.

Bounds come from an integer program (linear ordering variables per level with their
transitivity constraints, one crossing variable per pair of edges with four distinct ends,
as Juenger, Lee, Mutzel and Odenthal formulate multi-level crossing minimisation), solved
by HiGHS through scipy.optimize.milp under a time limit. Where the solver stops early its
proven dual bound is taken, so every figure is a true lower bound:
  - each gap alone, both levels free: the optimum of a gap can only be reached or exceeded
    by that gap's share in any orders of the whole graph, so the sum over gaps is a bound;
  - a whole connected component at once, where it is small enough: its multi-level optimum.
Each connected part of a gap or graph is solved on its own (parts drawn side by side never
cross each other). The larger of the two bounds counts.

    python3 bench/crossing_lower_bounds.py build/cli/arborix-cli [--graphs N] [--seed S]
        [--gap-seconds T] [--whole-seconds T] [--whole-pairs P]
"""
import argparse
import itertools
import math
import os
import random
import sys
import tempfile
import time

import numpy as np
from scipy.optimize import Bounds, LinearConstraint, milp
from scipy.sparse import coo_matrix

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import crossing_minimisation_vs_dot as vs  # noqa: E402  (the same generator and counting)

DENSITIES = [0.8, 1.2, 1.6, 2.2, 3.0]


def graph_of(seed, i, levels=(3, 10), widths=(5, 40)):
    """The i-th graph of the dot comparison for this seed, and its density class. Other
    ranges of levels and widths give smaller graphs of the same kind, whose optimum can be
    proven."""
    rng = random.Random(seed * 100003 + i)
    levels = rng.randint(*levels)
    widths = [rng.randint(*widths) for _ in range(levels)]
    density = rng.choice(DENSITIES)
    return vs.random_level_graph(rng, levels, widths, density, 0.2), density


def parts(edges):
    """Edge lists of the connected parts of the graph made by `edges`."""
    parent = {}

    def find(v):
        while parent.setdefault(v, v) != v:
            parent[v] = parent[parent[v]]
            v = parent[v]
        return v

    for a, b in edges:
        ra, rb = find(a), find(b)
        if ra != rb:
            parent[ra] = rb
    groups = {}
    for a, b in edges:
        groups.setdefault(find(a), []).append((a, b))
    return list(groups.values())


def solve(level, edges, seconds):
    """(lower bound, proven optimal) for the crossings of `edges` between adjacent levels.

    level: vertex -> level; every edge joins level L (first end) and L + 1 (second end).
    """
    by_level = {}
    for v in sorted({v for e in edges for v in e}):
        by_level.setdefault(level[v], []).append(v)
    # Order variables: x[u, w] = 1 when u is left of w, for u before w in by_level's lists.
    local, pair = {}, {}
    rows, cols, vals, lo, hi = [], [], [], [], []
    nvars = 0
    row = 0
    for lvl, names in by_level.items():
        n = len(names)
        for i, v in enumerate(names):
            local[v] = i
        ids = np.full((n, n), -1, dtype=np.int64)
        iu, ju = np.triu_indices(n, 1)
        ids[iu, ju] = nvars + np.arange(len(iu))
        nvars += len(iu)
        pair[lvl] = ids
        if n >= 3:
            t = np.array(list(itertools.combinations(range(n), 3)), dtype=np.int64)
            k = len(t)
            # 0 <= x_ij + x_jk - x_ik <= 1
            r = row + np.arange(k)
            rows += [r, r, r]
            cols += [ids[t[:, 0], t[:, 1]], ids[t[:, 1], t[:, 2]], ids[t[:, 0], t[:, 2]]]
            vals += [np.ones(k), np.ones(k), -np.ones(k)]
            lo.append(np.zeros(k))
            hi.append(np.ones(k))
            row += k
    order_vars = nvars

    def order_of(lvl, u, w):
        """Variable and (coefficient, constant) of 'u left of w' for arrays of vertices."""
        ids = pair[lvl]
        fwd = u < w
        var = ids[np.minimum(u, w), np.maximum(u, w)]
        return var, np.where(fwd, 1.0, -1.0), np.where(fwd, 0.0, 1.0)

    crossing_vars = {}
    by_gap = {}
    for a, b in edges:
        by_gap.setdefault(level[a], []).append((local[a], local[b]))
    for gap, ends in sorted(by_gap.items()):
        ends = np.array(ends, dtype=np.int64)
        e, f = np.triu_indices(len(ends), 1)
        keep = (ends[e, 0] != ends[f, 0]) & (ends[e, 1] != ends[f, 1])
        e, f = e[keep], f[keep]
        k = len(e)
        if k == 0:
            continue
        c = nvars + np.arange(k)
        nvars += k
        xs, sc, s0 = order_of(gap, ends[e, 0], ends[f, 0])
        xt, tc, t0 = order_of(gap + 1, ends[e, 1], ends[f, 1])
        # c >= s - t and c >= t - s, with s = sc x_s + s0 and t = tc x_t + t0.
        for sign in (1.0, -1.0):
            r = row + np.arange(k)
            rows += [r, r, r]
            cols += [c, xs, xt]
            vals += [np.ones(k), -sign * sc, sign * tc]
            lo.append(sign * (s0 - t0))
            hi.append(np.full(k, np.inf))
            row += k
        for idx, (p, q) in enumerate(zip(e, f)):
            crossing_vars[(gap, tuple(ends[p]), tuple(ends[q]))] = c[idx]
    # Four-cycles a-b, a-d, c-b, c-d: exactly one of {ab, cd} and {ad, cb} crosses.
    cuts = []
    for gap, ends in by_gap.items():
        up = {}
        for a, b in ends:
            up.setdefault(a, set()).add(b)
        lower = sorted(up)
        for i, a in enumerate(lower):
            for c_ in lower[i + 1:]:
                common = sorted(up[a] & up[c_])
                for b, d in itertools.combinations(common, 2):
                    def var(p, q):
                        key = (gap, p, q) if (gap, p, q) in crossing_vars else (gap, q, p)
                        return crossing_vars[key]
                    cuts.append((var((a, b), (c_, d)), var((a, d), (c_, b))))
    if cuts:
        cuts = np.array(cuts, dtype=np.int64)
        k = len(cuts)
        r = row + np.arange(k)
        rows += [r, r]
        cols += [cuts[:, 0], cuts[:, 1]]
        vals += [np.ones(k), np.ones(k)]
        lo.append(np.ones(k))
        hi.append(np.full(k, np.inf))
        row += k
    if nvars == order_vars:
        return 0, True
    cost = np.zeros(nvars)
    cost[order_vars:] = 1.0
    integral = np.zeros(nvars)
    integral[:order_vars] = 1
    lower_bounds, upper_bounds = np.zeros(nvars), np.ones(nvars)
    # Mirroring every level keeps the count: fix one pair's order.
    for ids in pair.values():
        if ids.shape[0] >= 2:
            lower_bounds[ids[0, 1]] = 1
            break
    constraints = []
    if row:
        m = coo_matrix((np.concatenate(vals), (np.concatenate(rows), np.concatenate(cols))), shape=(row, nvars)).tocsr()
        constraints = [LinearConstraint(m, np.concatenate(lo), np.concatenate(hi))]
    res = milp(cost, constraints=constraints, integrality=integral, bounds=Bounds(lower_bounds, upper_bounds),
               options={"time_limit": seconds, "disp": False})
    # HiGHS stops at a small relative gap: the proven bound is the dual one, rounded up, and
    # the solution is optimal when the two meet.
    dual = getattr(res, "mip_dual_bound", None)
    if dual is None or not np.isfinite(dual):
        dual = res.fun if res.status == 0 else 0.0
    bound = max(0, math.ceil(dual - 1e-6))
    optimal = res.status == 0 and round(res.fun) == bound
    if optimal:
        # The optimum's orders, counted as the comparison counts them: a check of the model.
        pos = {}
        for lvl, names in by_level.items():
            ids = pair[lvl]
            wins = [0] * len(names)
            for i in range(len(names)):
                for j in range(i + 1, len(names)):
                    if res.x[ids[i, j]] > 0.5:
                        wins[i] += 1
                    else:
                        wins[j] += 1
            for rank, i in enumerate(sorted(range(len(names)), key=lambda i: -wins[i])):
                pos[names[i]] = rank
        counted = vs.count_crossings([(v, level[v], False) for v in pos], edges, pos)
        if counted != round(res.fun):
            sys.exit(f"model fault: optimum {res.fun}, its orders have {counted} crossings")
    return bound, optimal


def gap_ceiling(cli, work, vertices, edges, order):
    """Crossings arborix-cli reaches on each gap drawn alone, summed. Each is at least that
    gap's optimum, so no bound made of per-gap optima can exceed this sum."""
    level = {n: l for n, l, _ in vertices}
    by_gap = {}
    for a, b in edges:
        by_gap.setdefault(level[a], []).append((a, b))
    total = 0
    for gap_edges in by_gap.values():
        names = sorted({v for e in gap_edges for v in e})
        gap_vertices = [(n, level[n], False) for n in names]
        pos, _, _ = vs.run_ours(cli, work, gap_vertices, gap_edges, order)
        total += vs.count_crossings(gap_vertices, gap_edges, pos)
    return total


def pair_count(edges, level):
    by_gap = {}
    for a, b in edges:
        by_gap.setdefault(level[a], []).append((a, b))
    return sum(len(g) * (len(g) - 1) // 2 for g in by_gap.values())


def main():
    p = argparse.ArgumentParser()
    p.add_argument("cli")
    p.add_argument("--graphs", type=int, default=200)
    p.add_argument("--first", type=int, default=0, help="index of the first graph")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--gap-seconds", type=float, default=5.0)
    p.add_argument("--whole-seconds", type=float, default=20.0)
    p.add_argument("--whole-pairs", type=int, default=4000,
                   help="largest component (edge pairs within gaps) solved whole")
    p.add_argument("--no-dot", action="store_true", help="bounds and ours only")
    p.add_argument("--gap-ceiling", action="store_true",
                   help="also the sum of the crossings found on each gap alone (what gap bounds can reach at most)")
    p.add_argument("--density", type=float, action="append", help="only graphs of these edges per vertex")
    p.add_argument("--levels", type=int, nargs=2, default=(3, 10), help="fewest and most levels")
    p.add_argument("--widths", type=int, nargs=2, default=(5, 40), help="fewest and most vertices per level")
    args = p.parse_args()

    work = tempfile.mkdtemp(prefix="arborix-bounds-")
    classes = {d: [0, 0, 0, 0, 0] for d in DENSITIES}  # bound, ours, dot, graphs, proven
    ceilings = {d: 0 for d in DENSITIES}
    gaps_optimal = gaps_bounded = wholes_optimal = wholes_bounded = 0
    start = time.perf_counter()
    print("graph density levels vertices | bound (gaps, whole) proven | ours dot | ours/bound", flush=True)
    for i in range(args.first, args.first + args.graphs):
        (vertices, edges, order), density = graph_of(args.seed, i, args.levels, args.widths)
        if args.density and density not in args.density:
            continue
        level = {n: l for n, l, _ in vertices}
        gap_bound = whole_bound = 0
        proven = True
        for part in parts(edges):
            # Gap by gap, each connected piece of a gap on its own.
            part_gaps = 0
            by_gap = {}
            for a, b in part:
                by_gap.setdefault(level[a], []).append((a, b))
            for gap_edges in by_gap.values() if args.gap_seconds > 0 else []:
                for piece in parts(gap_edges):
                    b, opt = solve(level, piece, args.gap_seconds)
                    part_gaps += b
                    gaps_optimal += opt
                    gaps_bounded += not opt
            part_whole = 0
            whole_proven = False
            if len(by_gap) > 1 and pair_count(part, level) <= args.whole_pairs:
                part_whole, whole_proven = solve(level, part, args.whole_seconds)
                wholes_optimal += whole_proven
                wholes_bounded += not whole_proven
            elif len(by_gap) == 1:
                part_whole, whole_proven = solve(level, part, max(args.gap_seconds, args.whole_seconds))
            gap_bound += part_gaps
            whole_bound += max(part_gaps, part_whole)
            proven &= whole_proven
        ours, _, _ = vs.run_ours(args.cli, work, vertices, edges, order)
        c_ours = vs.count_crossings(vertices, edges, ours)
        c_dot = 0
        if not args.no_dot:
            dot, _, _ = vs.run_dot(work, vertices, edges, order)
            c_dot = vs.count_crossings(vertices, edges, dot)
        ceiling = gap_ceiling(args.cli, work, vertices, edges, order) if args.gap_ceiling else 0
        ceilings[density] += ceiling
        bound = whole_bound
        s = classes[density]
        s[0] += bound
        s[1] += c_ours
        s[2] += c_dot
        s[3] += 1
        s[4] += proven
        ratio = c_ours / bound if bound else float("inf") if c_ours else 1.0
        print(f"{i} {density} {1 + max(level.values())} {len(vertices)} | {bound} ({gap_bound}, {whole_bound}) "
              f"{'yes' if proven else 'no'} | {c_ours} {c_dot} | {ratio:.3f}"
              + (f" | gaps alone {ceiling}" if args.gap_ceiling else ""), flush=True)

    print(f"\n{args.graphs} graphs from {args.first} (seed {args.seed}, levels {args.levels[0]}-{args.levels[1]}, "
          f"widths {args.widths[0]}-{args.widths[1]}), {time.perf_counter() - start:.0f} s; "
          f"gap limit {args.gap_seconds} s, whole limit {args.whole_seconds} s")
    print(f"gap pieces solved to optimality {gaps_optimal}, bounded only {gaps_bounded}; "
          f"whole components optimal {wholes_optimal}, bounded only {wholes_bounded}")
    print("edges/vertex  graphs  proven  bound  ours  dot  bound/dot  ours/bound  ours/dot")
    totals = [0, 0, 0, 0, 0]
    for d, s in classes.items():
        totals = [a + b for a, b in zip(totals, s)]
        if s[3]:
            print(f"{d:>12}  {s[3]:>6}  {s[4]:>6}  {s[0]:>5}  {s[1]:>4}  {s[2]:>3}  "
                  f"{s[0] / max(s[2], 1):.3f}  {s[1] / max(s[0], 1):.3f}  {s[1] / max(s[2], 1):.3f}")
    if args.gap_ceiling:
        for d, s in classes.items():
            if s[3]:
                print(f"{d:>12}  each gap alone: {ceilings[d]} crossings, {ceilings[d] / max(s[2], 1):.3f} of dot")
        print(f"{'all':>12}  each gap alone: {sum(ceilings.values())} crossings, "
              f"{sum(ceilings.values()) / max(totals[2], 1):.3f} of dot")
    b, o, d, n, pr = totals
    print(f"{'all':>12}  {n:>6}  {pr:>6}  {b:>5}  {o:>4}  {d:>3}  {b / max(d, 1):.3f}  {o / max(b, 1):.3f}  "
          f"{o / max(d, 1):.3f}")


if __name__ == "__main__":
    main()
