#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <unordered_map>

namespace {

struct ColourCount {
  Rgb colour;
  std::uint64_t count = 0;
};

std::uint32_t Packed(Rgb c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

std::uint8_t ChannelOf(const Rgb& c, int channel) {
  return channel == 0 ? c.r : channel == 1 ? c.g : c.b;
}

// A run of `counts` that becomes one palette colour.
struct Bucket {
  std::size_t begin;
  std::size_t end;
};

struct Spread {
  double error = 0;  // sum of squared distances from the mean, weighted by count
  int widest = 0;    // the channel with the greatest variance
  Rgb mean;
};

Spread SpreadOf(const std::vector<ColourCount>& counts, Bucket bucket) {
  double total = 0;
  std::array<double, 3> sum{}, squares{};
  for (std::size_t i = bucket.begin; i < bucket.end; ++i) {
    const double weight = static_cast<double>(counts[i].count);
    total += weight;
    for (int channel = 0; channel < 3; ++channel) {
      const double value = ChannelOf(counts[i].colour, channel);
      sum[static_cast<std::size_t>(channel)] += weight * value;
      squares[static_cast<std::size_t>(channel)] += weight * value * value;
    }
  }
  Spread spread;
  std::array<std::uint8_t, 3> mean{};
  double widest = -1;
  for (std::size_t channel = 0; channel < 3; ++channel) {
    const double variance = squares[channel] - sum[channel] * sum[channel] / total;
    spread.error += variance;
    if (variance > widest) {
      widest = variance;
      spread.widest = static_cast<int>(channel);
    }
    mean[channel] = static_cast<std::uint8_t>(std::lround(sum[channel] / total));
  }
  spread.mean = {mean[0], mean[1], mean[2]};
  return spread;
}

// Splits the bucket with the greatest error at the weighted median of its widest channel, until
// there are `wanted` buckets or none can be split.
std::vector<Bucket> MedianCut(std::vector<ColourCount>& counts, std::size_t wanted) {
  std::vector<Bucket> buckets{{0, counts.size()}};
  while (buckets.size() < wanted) {
    std::size_t worst = buckets.size();
    double worstError = 0;
    int channel = 0;
    for (std::size_t i = 0; i < buckets.size(); ++i) {
      if (buckets[i].end - buckets[i].begin < 2) continue;
      const Spread spread = SpreadOf(counts, buckets[i]);
      if (spread.error > worstError) {
        worstError = spread.error;
        worst = i;
        channel = spread.widest;
      }
    }
    if (worst == buckets.size()) break;
    const Bucket bucket = buckets[worst];
    const auto begin = counts.begin() + static_cast<std::ptrdiff_t>(bucket.begin);
    const auto end = counts.begin() + static_cast<std::ptrdiff_t>(bucket.end);
    std::sort(begin, end, [channel](const ColourCount& x, const ColourCount& y) {
      return ChannelOf(x.colour, channel) < ChannelOf(y.colour, channel);
    });
    std::uint64_t total = 0;
    for (auto it = begin; it != end; ++it) total += it->count;
    // The first colour past half the weight starts the upper half; neither half may be empty,
    // and equal channel values stay together where that still leaves two halves.
    std::uint64_t below = 0;
    std::size_t cut = bucket.begin;
    while (cut < bucket.end - 1 && 2 * (below + counts[cut].count) <= total) {
      below += counts[cut].count;
      ++cut;
    }
    cut = std::max(cut, bucket.begin + 1);
    while (cut < bucket.end - 1 &&
           ChannelOf(counts[cut].colour, channel) == ChannelOf(counts[cut - 1].colour, channel)) {
      ++cut;
    }
    buckets[worst] = {bucket.begin, cut};
    buckets.push_back({cut, bucket.end});
  }
  return buckets;
}

int DistanceSquared(Rgb a, Rgb b) {
  const int dr = a.r - b.r;
  const int dg = a.g - b.g;
  const int db = a.b - b.b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

IndexedImage Quantise(const RgbaImage& image, const std::vector<Rgb>& fixed) {
  if (fixed.size() > 256) throw std::invalid_argument("more than 256 fixed colours");
  IndexedImage indexed{image.width, image.height, {}, {}, {}};
  std::copy(fixed.begin(), fixed.end(), indexed.palette.begin());

  std::unordered_map<std::uint32_t, std::uint64_t> histogram;
  for (const Rgba8& pixel : image.pixels) {
    const Rgb colour{pixel.r, pixel.g, pixel.b};
    if (pixel.a >= 128 && std::find(fixed.begin(), fixed.end(), colour) == fixed.end()) {
      ++histogram[Packed(colour)];
    }
  }
  std::vector<ColourCount> counts;
  for (const auto& [packed, count] : histogram) {
    counts.push_back({{static_cast<std::uint8_t>(packed >> 16),
                       static_cast<std::uint8_t>(packed >> 8), static_cast<std::uint8_t>(packed)},
                      count});
  }
  // Hash order varies between library versions; the cut must not.
  std::sort(counts.begin(), counts.end(), [](const ColourCount& x, const ColourCount& y) {
    return Packed(x.colour) < Packed(y.colour);
  });
  std::size_t used = fixed.size();
  if (!counts.empty() && used < 256) {
    for (const Bucket& bucket : MedianCut(counts, 256 - used)) {
      indexed.palette[used++] = SpreadOf(counts, bucket).mean;
    }
  }

  std::unordered_map<std::uint32_t, std::uint8_t> nearest;
  for (const Rgba8& pixel : image.pixels) {
    const bool clear = pixel.a < 128;
    indexed.clear.push_back(clear);
    if (clear) {
      indexed.pixels.push_back(0);
      continue;
    }
    const Rgb colour{pixel.r, pixel.g, pixel.b};
    const auto [it, added] = nearest.try_emplace(Packed(colour), std::uint8_t{0});
    if (added) {
      int best = std::numeric_limits<int>::max();
      for (std::size_t i = 0; i < used; ++i) {
        const int distance = DistanceSquared(colour, indexed.palette[i]);
        if (distance < best) {
          best = distance;
          it->second = static_cast<std::uint8_t>(i);
        }
      }
    }
    indexed.pixels.push_back(it->second);
  }
  return indexed;
}
