// The search of tools/map_hot_spots.py, in C++ for speed: simulated annealing of the hot-spot rectangles. Each hot
// spot takes presses on water and on land of its own offset within its rectangle; where several do, the topmost. The
// score counts first the hot spots that take a press anywhere, then the land pixels that a rectangle of their offset
// covers, then the water pixels whose click gives their band's offset or nothing; of layouts that serve alike, the
// one of smaller rectangles wins.
//
// Reads from standard input: height width; height * width numbers, for land the offset index a click there should
// give or -1 when none can, for water -2 minus the index of its band's offset; the spot count; for each spot its
// offset index, image number, meridian (pixels) and starting box (top bottom left right); then rounds, seed, least
// size, farthest distance from the meridian, and the hottest and coldest temperature in water pixels. Writes the
// best boxes found, one spot a line, then the land pixels covered and the water pixels served under them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int WaterWeight = 100;

struct Box
{
    int top, bottom, left, right;
    int area() const { return (bottom - top) * (right - left); }
};

struct Spot
{
    int offset;
    int number;
    double meridian;
    Box box;
};

Box joined(const Box& a, const Box& b)
{
    return {std::min(a.top, b.top), std::max(a.bottom, b.bottom), std::min(a.left, b.left), std::max(a.right, b.right)};
}

struct Search
{
    int height = 0, width = 0, least = 10;
    double farthest = 50;
    std::vector<int> wanted;
    std::vector<int> given; // the spot that takes a press on each pixel, or -1
    std::vector<int> taken; // how many pixels each spot takes
    std::vector<Spot> spots;
    std::vector<std::vector<int>> landOf;  // land pixels of each offset index
    std::vector<std::vector<int>> ownLand; // per offset, its land pixels above and left of each corner

    int landIn(int offset, const Box& b) const
    {
        const std::vector<int>& sums = ownLand[size_t(offset)];
        const auto at = [&](int y, int x) { return sums[size_t(y * (width + 1) + x)]; };
        return at(b.bottom, b.right) - at(b.top, b.right) - at(b.bottom, b.left) + at(b.top, b.left);
    }

    // Inside the picture, large enough to hit, near its offset's meridian (the world goes round) and holding land of
    // its offset.
    bool fits(const Spot& spot, const Box& b) const
    {
        if (b.top < 0 || b.left < 0 || b.bottom > height || b.right > width) {
            return false;
        }
        if (b.bottom - b.top < least || b.right - b.left < least) {
            return false;
        }
        const double away = std::abs((b.left + b.right) / 2.0 - spot.meridian);
        return std::min(away, width - away) < farthest && landIn(spot.offset, b) > 0;
    }

    // Spots from the bottom of the stack to its top: the larger below, of equal size the lower number below.
    std::vector<int> stacking() const
    {
        std::vector<int> order(spots.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = int(i);
        }
        std::sort(order.begin(), order.end(), [this](int a, int b) {
            const int areaA = spots[size_t(a)].box.area(), areaB = spots[size_t(b)].box.area();
            return areaA != areaB ? areaA > areaB : spots[size_t(a)].number < spots[size_t(b)].number;
        });
        return order;
    }

    // The spots that take presses inside region, into out, row by row.
    void clicks(const Box& region, std::vector<int>& out) const
    {
        const int w = region.right - region.left;
        out.assign(size_t((region.bottom - region.top) * w), -1);
        for (const int s : stacking()) {
            const Spot& spot = spots[size_t(s)];
            const int t = std::max(spot.box.top, region.top), u = std::min(spot.box.bottom, region.bottom);
            const int l = std::max(spot.box.left, region.left), r = std::min(spot.box.right, region.right);
            for (int y = t; y < u; ++y) {
                for (int x = l; x < r; ++x) {
                    const int want = wanted[size_t(y * width + x)];
                    if (want <= -2 || want == spot.offset) {
                        out[size_t((y - region.top) * w + x - region.left)] = s;
                    }
                }
            }
        }
    }

    // Land pixels covered and water pixels served well in region.
    std::pair<int, int> servedNow(const Box& region) const
    {
        int land = 0, water = 0;
        for (int y = region.top; y < region.bottom; ++y) {
            for (int x = region.left; x < region.right; ++x) {
                const int want = wanted[size_t(y * width + x)];
                const int spot = given[size_t(y * width + x)];
                land += want >= 0 && spot >= 0;
                water += want <= -2 && (spot < 0 || spots[size_t(spot)].offset == -2 - want);
            }
        }
        return {land, water};
    }

    // The spots that take presses inside region now, into out, row by row.
    void copy(const Box& region, std::vector<int>& out) const
    {
        const int w = region.right - region.left;
        out.resize(size_t((region.bottom - region.top) * w));
        for (int y = region.top; y < region.bottom; ++y) {
            std::copy_n(given.begin() + y * width + region.left, w, out.begin() + (y - region.top) * w);
        }
    }

    // Moves the pixels of region to the spots in values, keeping count of what each spot takes; gives the change in
    // the number of spots that take nothing.
    int store(const Box& region, const std::vector<int>& values)
    {
        const int w = region.right - region.left;
        int change = 0;
        for (int y = region.top; y < region.bottom; ++y) {
            for (int x = region.left; x < region.right; ++x) {
                int& now = given[size_t(y * width + x)];
                const int next = values[size_t((y - region.top) * w + x - region.left)];
                if (now != next) {
                    change += now >= 0 && --taken[size_t(now)] == 0;
                    change -= next >= 0 && taken[size_t(next)]++ == 0;
                    now = next;
                }
            }
        }
        return change;
    }
};

Box moved(Box b, std::mt19937& random)
{
    static const int steps[] = {1, 1, 1, 2, 3, 5, 8, 13};
    int step = steps[random() % 8];
    step = random() % 2 ? step : -step;
    switch (random() % 6) {
    case 0:
        b.top += step;
        break;
    case 1:
        b.bottom += step;
        break;
    case 2:
        b.left += step;
        break;
    case 3:
        b.right += step;
        break;
    case 4:
        b.top += step, b.bottom += step;
        break;
    default:
        b.left += step, b.right += step;
        break;
    }
    return b;
}

// A new box round land of the spot's offset that no rectangle covers yet.
Box reseeded(const Search& search, const Spot& spot, std::mt19937& random)
{
    const auto& pixels = search.landOf[size_t(spot.offset)];
    for (int attempt = 0; attempt < 50 && !pixels.empty(); ++attempt) {
        const int p = pixels[random() % pixels.size()];
        if (search.given[size_t(p)] < 0) {
            const int y = p / search.width, x = p % search.width;
            const int halfHeight = 5 + int(random() % 20), halfWidth = 5 + int(random() % 20);
            return {y - halfHeight, y + halfHeight, x - halfWidth, x + halfWidth};
        }
    }
    return spot.box;
}

} // namespace

int main()
{
    Search search;
    if (std::scanf("%d %d", &search.height, &search.width) != 2) {
        return 1;
    }
    search.wanted.resize(size_t(search.height * search.width));
    for (int& want : search.wanted) {
        std::scanf("%d", &want);
    }
    int count = 0;
    std::scanf("%d", &count);
    search.spots.resize(size_t(count));
    for (Spot& s : search.spots) {
        std::scanf("%d %d %lf %d %d %d %d",
                   &s.offset,
                   &s.number,
                   &s.meridian,
                   &s.box.top,
                   &s.box.bottom,
                   &s.box.left,
                   &s.box.right);
    }
    long rounds = 0;
    unsigned seed = 1;
    double hottest = 20, coldest = 0.2;
    std::scanf("%ld %u %d %lf %lf %lf", &rounds, &seed, &search.least, &search.farthest, &hottest, &coldest);

    int offsets = 0;
    for (const Spot& s : search.spots) {
        offsets = std::max(offsets, s.offset + 1);
    }
    search.landOf.resize(size_t(offsets));
    search.ownLand.assign(size_t(offsets), std::vector<int>(size_t((search.height + 1) * (search.width + 1))));
    std::int64_t water = 0;
    for (int y = 0; y < search.height; ++y) {
        for (int x = 0; x < search.width; ++x) {
            const int want = search.wanted[size_t(y * search.width + x)];
            if (want >= 0) {
                search.landOf[size_t(want)].push_back(y * search.width + x);
            }
            water += want <= -2;
            for (int o = 0; o < offsets; ++o) {
                std::vector<int>& sums = search.ownLand[size_t(o)];
                const size_t at = size_t((y + 1) * (search.width + 1) + x + 1);
                sums[at] = (want == o) + sums[at - 1] + sums[at - size_t(search.width + 1)]
                           - sums[at - size_t(search.width + 2)];
            }
        }
    }
    // Of two layouts that serve the same, the one of smaller rectangles: they need not grow over other zones' land.
    // A water pixel served outweighs WaterWeight pixels of area, one land pixel covered all the water and area, and
    // a hot spot that takes presses all the land.
    const std::int64_t allArea = std::int64_t(search.spots.size()) * search.height * search.width;
    const std::int64_t landWeight = water * WaterWeight + allArea + 1;
    std::int64_t landPixels = 0;
    for (const auto& pixels : search.landOf) {
        landPixels += std::int64_t(pixels.size());
    }
    const std::int64_t reachWeight = (landPixels + 1) * landWeight;

    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const Box whole{0, search.height, 0, search.width};
    search.given.assign(search.wanted.size(), -1);
    search.taken.assign(search.spots.size(), 0);
    std::vector<int> region;
    search.clicks(whole, region);
    int unreached = int(search.spots.size()) + search.store(whole, region);
    auto [land, served] = search.servedNow(whole);
    std::int64_t area = 0;
    for (const Spot& s : search.spots) {
        area += s.box.area();
    }
    const auto score = [&](int u, int l, int w, std::int64_t a) {
        return -u * reachWeight + l * landWeight + w * WaterWeight - a;
    };
    std::int64_t best = score(unreached, land, served, area);
    int bestLand = land, bestServed = served;
    std::vector<Spot> bestSpots = search.spots;
    std::vector<int> before;
    for (long round = 0; round < rounds; ++round) {
        const double heat = hottest * std::pow(coldest / hottest, double(round) / double(rounds));
        Spot& spot = search.spots[random() % search.spots.size()];
        const Box old = spot.box;
        const Box next = chance(random) < 0.01 ? reseeded(search, spot, random) : moved(old, random);
        if (!search.fits(spot, next)) {
            continue;
        }
        const Box changed = joined(old, next);
        const auto [landBefore, waterBefore] = search.servedNow(changed);
        search.copy(changed, before);
        spot.box = next;
        search.clicks(changed, region);
        const int unreachedChange = search.store(changed, region);
        const auto [landAfter, waterAfter] = search.servedNow(changed);
        const std::int64_t grown = next.area() - old.area();
        const double change =
            double(score(unreachedChange, landAfter - landBefore, waterAfter - waterBefore, grown)) / WaterWeight;
        if (change >= 0 || chance(random) < std::exp(change / heat)) {
            unreached += unreachedChange;
            land += landAfter - landBefore;
            served += waterAfter - waterBefore;
            area += grown;
            if (score(unreached, land, served, area) > best) {
                best = score(unreached, land, served, area);
                bestLand = land;
                bestServed = served;
                bestSpots = search.spots;
            }
        } else {
            search.store(changed, before);
            spot.box = old;
        }
    }
    for (const Spot& s : bestSpots) {
        std::printf("%d %d %d %d %d\n", s.number, s.box.top, s.box.bottom, s.box.left, s.box.right);
    }
    std::printf("%d %d\n", bestLand, bestServed);
    return 0;
}
