// The search of tools/map_hot_spots.py, in C++ for speed: simulated annealing of the hot-spot rectangles on the
// number of land pixels whose click gives their painted offset.
//
// Reads from standard input: height width; height * width numbers, for land the offset index a click there should
// give, for sea -2 minus the index of its band's offset, -1 where the pixel is not counted; the spot count; for each
// spot its offset index, image number, meridian (pixels) and starting box (top bottom left right); then rounds, seed,
// least size, farthest distance from the meridian and the weight of land. Writes the best boxes found, one spot a
// line, and their score: land pixels served right times the weight, and sea pixels whose click gives their band's
// offset or nothing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

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

struct Search
{
    int height = 0, width = 0, least = 10, landWeight = 20;
    double farthest = 50;
    std::vector<int> wanted;
    std::vector<int> given;
    std::vector<Spot> spots;
    std::vector<std::vector<int>> pixelsOf; // counted pixels of each offset index

    bool fits(const Spot& spot, const Box& b) const
    {
        if (b.top < 0 || b.left < 0 || b.bottom > height || b.right > width) {
            return false;
        }
        if (b.bottom - b.top < least || b.right - b.left < least) {
            return false;
        }
        return std::abs((b.left + b.right) / 2.0 - spot.meridian) < farthest;
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

    // What clicks give inside region, into out, row by row.
    void clicks(const Box& region, std::vector<int>& out) const
    {
        const int w = region.right - region.left;
        out.assign(size_t((region.bottom - region.top) * w), -1);
        for (const int s : stacking()) {
            const Box& b = spots[size_t(s)].box;
            const int t = std::max(b.top, region.top), u = std::min(b.bottom, region.bottom);
            const int l = std::max(b.left, region.left), r = std::min(b.right, region.right);
            for (int y = t; y < u; ++y) {
                std::fill_n(out.begin() + (y - region.top) * w + (l - region.left), std::max(0, r - l),
                            spots[size_t(s)].offset);
            }
        }
    }

    // The score of region under the clicks in values (row by row, stride apart).
    int rightIn(const Box& region, const int* values, int stride) const
    {
        int right = 0;
        for (int y = region.top; y < region.bottom; ++y) {
            const int* row = values + (y - region.top) * stride;
            for (int x = region.left; x < region.right; ++x) {
                const int want = wanted[size_t(y * width + x)];
                const int got = row[x - region.left];
                if (want >= 0) {
                    right += got == want ? landWeight : 0;
                } else if (want <= -2) {
                    right += got == -1 || got == -2 - want;
                }
            }
        }
        return right;
    }

    int rightNow(const Box& region) const
    {
        return rightIn(region, given.data() + region.top * width + region.left, width);
    }

    void store(const Box& region, const std::vector<int>& in)
    {
        const int w = region.right - region.left;
        for (int y = region.top; y < region.bottom; ++y) {
            std::copy_n(in.begin() + (y - region.top) * w, w, given.begin() + y * width + region.left);
        }
    }
};

Box moved(Box b, std::mt19937& random)
{
    static const int steps[] = {1, 1, 1, 2, 3, 5, 8, 13};
    int step = steps[random() % 8];
    step = random() % 2 ? step : -step;
    switch (random() % 6) {
    case 0: b.top += step; break;
    case 1: b.bottom += step; break;
    case 2: b.left += step; break;
    case 3: b.right += step; break;
    case 4: b.top += step, b.bottom += step; break;
    default: b.left += step, b.right += step; break;
    }
    return b;
}

// A new box round a counted pixel of the spot's offset that a click does not serve yet.
Box reseeded(const Search& search, const Spot& spot, std::mt19937& random)
{
    const auto& pixels = search.pixelsOf[size_t(spot.offset)];
    for (int attempt = 0; attempt < 50 && !pixels.empty(); ++attempt) {
        const int p = pixels[random() % pixels.size()];
        if (search.given[size_t(p)] != spot.offset) {
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
        std::scanf("%d %d %lf %d %d %d %d", &s.offset, &s.number, &s.meridian, &s.box.top, &s.box.bottom, &s.box.left,
                   &s.box.right);
    }
    long rounds = 0;
    unsigned seed = 1;
    std::scanf("%ld %u %d %lf %d", &rounds, &seed, &search.least, &search.farthest, &search.landWeight);
    int offsets = 0;
    for (const int want : search.wanted) {
        offsets = std::max(offsets, want + 1);
    }
    search.pixelsOf.resize(size_t(offsets));
    for (size_t i = 0; i < search.wanted.size(); ++i) {
        if (search.wanted[i] >= 0) {
            search.pixelsOf[size_t(search.wanted[i])].push_back(int(i));
        }
    }

    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const Box whole{0, search.height, 0, search.width};
    search.clicks(whole, search.given);
    int score = search.rightNow(whole);
    int best = score;
    std::vector<Spot> bestSpots = search.spots;
    std::vector<int> region;
    for (long round = 0; round < rounds; ++round) {
        const double heat = 2.0 * search.landWeight * std::pow(0.005, double(round) / double(rounds));
        Spot& spot = search.spots[random() % search.spots.size()];
        const Box old = spot.box;
        const Box next = chance(random) < 0.01 ? reseeded(search, spot, random) : moved(old, random);
        if (!search.fits(spot, next)) {
            continue;
        }
        const Box changed{std::min(old.top, next.top), std::max(old.bottom, next.bottom),
                          std::min(old.left, next.left), std::max(old.right, next.right)};
        const int before = search.rightNow(changed);
        spot.box = next;
        search.clicks(changed, region);
        const int change = search.rightIn(changed, region.data(), changed.right - changed.left) - before;
        if (change >= 0 || chance(random) < std::exp(change / heat)) {
            search.store(changed, region);
            score += change;
            if (score > best) {
                best = score;
                bestSpots = search.spots;
            }
        } else {
            spot.box = old;
        }
    }
    for (const Spot& s : bestSpots) {
        std::printf("%d %d %d %d %d\n", s.number, s.box.top, s.box.bottom, s.box.left, s.box.right);
    }
    std::printf("%d\n", best);
    return 0;
}
