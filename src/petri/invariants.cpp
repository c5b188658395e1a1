#include "invariants.h"

#include "firing_rules.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <unordered_set>

namespace plax {

namespace {

using Vector = std::vector<std::int64_t>;

struct Overflow {};

std::int64_t Mul(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) throw Overflow{};
    return r;
}

std::int64_t Add(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) throw Overflow{};
    return r;
}

// A row of the elimination: what is left of the constraints, the unknowns' weights that made
// it, and the support of those weights.
struct Row {
    Vector rest;
    Vector y;
    std::uint64_t support = 0;
};

void Reduce(Row& row) {
    std::int64_t g = 0;
    for (std::int64_t v : row.rest)
        g = std::gcd(g, v);
    for (std::int64_t v : row.y)
        g = std::gcd(g, v);
    if (g <= 1) return;
    for (std::int64_t& v : row.rest)
        v /= g;
    for (std::int64_t& v : row.y)
        v /= g;
}

// c1 * p + c2 * q, both coefficients positive, which cancels column j.
Row Combine(const Row& p, const Row& q, std::size_t j) {
    const std::int64_t c1 = -q.rest[j];
    const std::int64_t c2 = p.rest[j];
    Row r{Vector(p.rest.size()), Vector(p.y.size()), p.support | q.support};
    for (std::size_t k = 0; k < r.rest.size(); ++k)
        r.rest[k] = Add(Mul(c1, p.rest[k]), Mul(c2, q.rest[k]));
    for (std::size_t k = 0; k < r.y.size(); ++k)
        r.y[k] = Add(Mul(c1, p.y[k]), Mul(c2, q.y[k]));
    Reduce(r);
    return r;
}

// The column whose elimination makes the fewest new rows.
std::size_t NextColumn(const std::vector<Row>& rows, const std::vector<bool>& done) {
    std::size_t best = 0;
    std::optional<long long> fewest;
    for (std::size_t j = 0; j < done.size(); ++j) {
        if (done[j]) continue;
        long long pos = 0;
        long long neg = 0;
        for (const Row& r : rows) {
            pos += r.rest[j] > 0 ? 1 : 0;
            neg += r.rest[j] < 0 ? 1 : 0;
        }
        const long long grows = pos * neg - pos - neg;
        if (!fewest || grows < *fewest) {
            fewest = grows;
            best = j;
        }
    }
    return best;
}

// Keeps one row of each support that holds no other row's support.
std::vector<Row> MinimalSupports(std::vector<Row> rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::popcount(a.support) < std::popcount(b.support);
    });
    std::vector<Row> kept;
    for (Row& r : rows) {
        const bool covered = std::any_of(kept.begin(), kept.end(),
                                         [&r](const Row& k) { return (k.support & r.support) == k.support; });
        if (!covered) kept.push_back(std::move(r));
    }
    return kept;
}

// Cancels column j: rows without it stay, each pair of opposite signs gives one.
std::vector<Row> Eliminate(std::vector<Row> rows, std::size_t j, std::size_t maxRows, bool& tooMany) {
    std::vector<Row> next;
    std::vector<const Row*> pos;
    std::vector<const Row*> neg;
    for (const Row& r : rows) {
        if (r.rest[j] > 0) pos.push_back(&r);
        if (r.rest[j] < 0) neg.push_back(&r);
    }
    std::unordered_set<std::uint64_t> supports;
    for (const Row& r : rows) {
        if (r.rest[j] == 0 && supports.insert(r.support).second) next.push_back(r);
    }
    for (const Row* p : pos) {
        for (const Row* q : neg) {
            if (!supports.insert(p->support | q->support).second) continue;
            next.push_back(Combine(*p, *q, j));
            if (next.size() > 4 * maxRows) {
                tooMany = true;
                return {};
            }
        }
    }
    next = MinimalSupports(std::move(next));
    tooMany = next.size() > maxRows;
    return next;
}

std::vector<std::size_t> SupportOf(const Vector& v) {
    std::vector<std::size_t> s;
    for (std::size_t k = 0; k < v.size(); ++k)
        if (v[k] != 0) s.push_back(k);
    return s;
}

} // namespace

SemiPositiveSolutions MinimalSemiPositive(const IntegerMatrix& a, std::size_t maxRows) {
    SemiPositiveSolutions out;
    const std::size_t m = a.size();
    if (m > 64) {
        out.end = InvariantsEnd::TooManyRows;
        return out;
    }
    const std::size_t n = m == 0 ? 0 : a[0].size();
    std::vector<Row> rows;
    for (std::size_t i = 0; i < m; ++i) {
        Row r{a[i], Vector(m, 0), std::uint64_t{1} << i};
        r.y[i] = 1;
        rows.push_back(std::move(r));
    }
    std::vector<bool> done(n, false);
    try {
        for (std::size_t step = 0; step < n; ++step) {
            const std::size_t j = NextColumn(rows, done);
            done[j] = true;
            bool tooMany = false;
            rows = Eliminate(std::move(rows), j, maxRows, tooMany);
            if (tooMany) {
                out.end = InvariantsEnd::TooManyRows;
                return out;
            }
        }
    } catch (const Overflow&) {
        out.end = InvariantsEnd::Overflow;
        return out;
    }
    for (Row& r : rows)
        out.vectors.push_back(std::move(r.y));
    std::sort(out.vectors.begin(), out.vectors.end(), [](const Vector& x, const Vector& y) {
        const auto sx = SupportOf(x);
        const auto sy = SupportOf(y);
        return sx != sy ? sx < sy : x < y;
    });
    return out;
}

namespace {

IntegerMatrix IncidenceOf(const Rules& rules) {
    IntegerMatrix c(rules.places.size(), Vector(rules.transitions.size(), 0));
    for (std::size_t t = 0; t < rules.transitions.size(); ++t) {
        for (std::uint8_t p : rules.transitions[t].inputs)
            --c[p][t];
        for (std::uint8_t p : rules.transitions[t].outputs)
            ++c[p][t];
    }
    return c;
}

IntegerMatrix Transposed(const IntegerMatrix& c, std::size_t columns) {
    IntegerMatrix t(columns, Vector(c.size(), 0));
    for (std::size_t i = 0; i < c.size(); ++i)
        for (std::size_t j = 0; j < columns; ++j)
            t[j][i] = c[i][j];
    return t;
}

// Which of the first `count` unknowns lie in the support of some vector of `solutions`.
std::vector<bool> Covered(const SemiPositiveSolutions& solutions, std::size_t count) {
    std::vector<bool> covered(count, false);
    for (const Vector& v : solutions.vectors)
        for (std::size_t k = 0; k < count; ++k)
            covered[k] = covered[k] || v[k] != 0;
    return covered;
}

// y >= 0 with y^T C <= 0 is y^T C + s = 0 with s >= 0: the semi-positive solutions of C over the
// identity of the transitions. Some y > 0 exists when the generators cover every place.
Structural StructurallyBounded(const IntegerMatrix& c, std::size_t transitions) {
    IntegerMatrix a = c;
    for (std::size_t t = 0; t < transitions; ++t) {
        Vector slack(transitions, 0);
        slack[t] = 1;
        a.push_back(std::move(slack));
    }
    const SemiPositiveSolutions s = MinimalSemiPositive(a);
    if (s.end != InvariantsEnd::Complete) return Structural::Unknown;
    const std::vector<bool> covered = Covered(s, c.size());
    return std::all_of(covered.begin(), covered.end(), [](bool b) { return b; }) ? Structural::Yes
                                                                                 : Structural::No;
}

} // namespace

InvariantsResult ComputeInvariants(const NetWorkType& net) {
    const Rules rules = RulesOf(net);
    InvariantsResult r;
    r.places = rules.places;
    for (const TransitionRule& t : rules.transitions)
        r.transitions.push_back(t.point);
    r.marking = MarkingOf(net, rules);
    r.incidence = IncidenceOf(rules);
    r.placeInvariants = MinimalSemiPositive(r.incidence);
    r.transitionInvariants = MinimalSemiPositive(Transposed(r.incidence, r.transitions.size()));
    const std::vector<bool> covered = Covered(r.placeInvariants, r.places.size());
    for (std::size_t k = 0; k < r.places.size(); ++k)
        (covered[k] ? r.covered : r.uncovered).push_back(r.places[k]);
    const std::vector<bool> repetitive = Covered(r.transitionInvariants, r.transitions.size());
    for (std::size_t k = 0; k < r.transitions.size(); ++k)
        if (repetitive[k]) r.repetitive.push_back(r.transitions[k]);
    r.structurallyBounded = StructurallyBounded(r.incidence, r.transitions.size());
    return r;
}

} // namespace plax
