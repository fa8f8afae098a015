// The stage pictures and their tiles.
#include "tools/content/stage_tiles.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>

#include "tools/content/content_context.h"
#include "tools/content/raster.h"

namespace content {
namespace {

constexpr float kPi = 3.14159265f;
constexpr int32_t kRepeatColumns = 7;

struct Palette {
    Rgba low, high, feature, cloud;
};

// Stage 0 space, 1 sea, 2 canyon, 3 city, 4 fortress, 5 the far side.
constexpr Palette kPalettes[] = {
    {{0.02f, 0.02f, 0.08f, 1}, {0.16f, 0.06f, 0.28f, 1}, {1.0f, 1.0f, 0.9f, 1}, {0.45f, 0.3f, 0.7f, 1}},
    {{0.02f, 0.16f, 0.36f, 1}, {0.08f, 0.38f, 0.58f, 1}, {0.76f, 0.70f, 0.45f, 1}, {0.95f, 0.97f, 1.0f, 1}},
    {{0.45f, 0.28f, 0.14f, 1}, {0.78f, 0.58f, 0.32f, 1}, {0.25f, 0.14f, 0.08f, 1}, {0.9f, 0.8f, 0.65f, 1}},
    {{0.16f, 0.17f, 0.2f, 1}, {0.34f, 0.36f, 0.4f, 1}, {1.0f, 0.85f, 0.4f, 1}, {0.85f, 0.88f, 0.92f, 1}},
    {{0.12f, 0.14f, 0.16f, 1}, {0.36f, 0.4f, 0.42f, 1}, {0.95f, 0.45f, 0.1f, 1}, {0.6f, 0.6f, 0.62f, 1}},
    {{0.18f, 0.02f, 0.1f, 1}, {0.5f, 0.1f, 0.3f, 1}, {0.3f, 1.0f, 0.7f, 1}, {0.9f, 0.5f, 0.8f, 1}},
};

uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

float smooth(float t) { return t * t * (3 - 2 * t); }

// Value noise on a lattice of the given cell, wrapping at the picture's
// repeat, so it repeats with it.
float noise(float x, float y, int32_t cell, int32_t repeatX, uint32_t seed) {
    const int32_t nx = repeatX / cell, ny = kTileRepeatY / cell;
    const float fx = x / float(cell), fy = y / float(cell);
    const int32_t ix = int32_t(std::floor(fx)), iy = int32_t(std::floor(fy));
    const float tx = smooth(fx - float(ix)), ty = smooth(fy - float(iy));
    auto at = [&](int32_t i, int32_t j) {
        return float(hash(((i % nx) + nx) % nx, ((j % ny) + ny) % ny, seed) & 0xFFFF) / 65535.0f;
    };
    const float a = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    const float b = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return a + (b - a) * ty;
}

float fbm(float x, float y, int32_t repeatX, uint32_t seed) {
    return 0.5f * noise(x, y, 32, repeatX, seed) + 0.3f * noise(x, y, 16, repeatX, seed + 1) +
           0.2f * noise(x, y, 8, repeatX, seed + 2);
}

float band(float v, float low, float high) { return std::clamp((v - low) / (high - low), 0.0f, 1.0f); }

// The colour of a layer's picture at a point of it.
Rgba picture(const TileLayerSpec& layer, float x, float y) {
    const int32_t repeatX = kRepeatColumns * layer.tile;
    const Palette& pal = kPalettes[size_t(layer.stage) % std::size(kPalettes)];
    const uint32_t seed = uint32_t(layer.stage * 16 + layer.layer) * 97u;
    const float n = fbm(x, y, repeatX, seed);
    const float waveX = 2 * kPi / float(repeatX), waveY = 2 * kPi / float(kTileRepeatY);
    switch (layer.layer) {
    case 1: {
        Rgba c = mix(pal.low, pal.high, n);
        if (layer.stage == 1) {
            const float ripple = std::sin(y * waveY * 6 + std::sin(x * waveX * 2) * 2 + n * 4);
            c = mix(c, {0.6f, 0.85f, 1.0f, 1}, band(ripple, 0.85f, 1.0f) * 0.5f);
        } else if (layer.stage == 3 || layer.stage == 4) {
            // Blocks and streets, or armour plates, on a 32-pixel grid.
            const float gx = std::fmod(x, 32.0f), gy = std::fmod(y, 32.0f);
            const float seam = std::min(std::min(gx, 32 - gx), std::min(gy, 32 - gy));
            c = mix(pal.low, c, band(seam, 1.0f, 3.0f));
        } else if (layer.stage == 0) {
            c = mix(c, pal.feature, band(noise(x, y, 8, repeatX, seed + 9), 0.93f, 1.0f));
        }
        return c;
    }
    case 2: {
        if (layer.stage == 0) {
            const float star = noise(x, y, 8, repeatX, seed + 5);
            return withAlpha(pal.feature, band(star, 0.9f, 0.97f));
        }
        // Islands, ridges, rooftops: solid shapes with a dark rim.
        const float a = band(n, 0.58f, 0.62f);
        const Rgba land = mix(pal.feature, pal.low, band(n, 0.62f, 0.8f) * 0.5f);
        return withAlpha(mix(pal.low, land, band(n, 0.6f, 0.64f)), a);
    }
    default: {
        // Clouds or haze drifting above, thinner on the top layer.
        const float thin = layer.layer == 4 ? 0.12f : 0.0f;
        const float cloud = fbm(x * 0.5f, y, repeatX, seed + 7);
        return withAlpha(pal.cloud, band(cloud, 0.6f + thin, 0.8f + thin) * 0.7f);
    }
    }
}

struct TileJob {
    const TileLayerSpec* layer;
    int32_t x0, y0;  // the tile's top-left in the picture, within one repeat
    Image pixels;
    bool empty = true;
};

void drawTile(TileJob& job) {
    const int32_t t = job.layer->tile;
    job.pixels = Image(t, t);
    Cell cell(job.pixels, 0, 0, t, t);
    for (int32_t y = 0; y < t; ++y) {
        for (int32_t x = 0; x < t; ++x) {
            const Rgba c = picture(*job.layer, float(job.x0 + x) + 0.5f, float(job.y0 + y) + 0.5f);
            cell.set(x, y, c);
            if (job.pixels.pixel(x, y)[3] != 0) job.empty = false;
        }
    }
}

void runAll(std::vector<TileJob>& jobs) {
    std::thread other([&] {
        for (size_t i = 1; i < jobs.size(); i += 2) drawTile(jobs[i]);
    });
    for (size_t i = 0; i < jobs.size(); i += 2) drawTile(jobs[i]);
    other.join();
}

}  // namespace

void layoutStageTiles(const SpriteContent& content, std::vector<FrameRow>& rows, std::map<int32_t, Image>& sheets) {
    // The distinct tiles of every layer: the picture repeats every 7 tiles
    // across and every lcm(288, T) down.
    std::vector<TileJob> jobs;
    std::vector<std::vector<size_t>> tileJob(content.tiles.size());
    for (size_t l = 0; l < content.tiles.size(); ++l) {
        const TileLayerSpec& layer = content.tiles[l];
        const int32_t t = layer.tile, repeatX = kRepeatColumns * t, repeatY = std::lcm(kTileRepeatY, t);
        std::map<std::pair<int32_t, int32_t>, size_t> seen;
        for (int32_t i = 0; i < layer.count; ++i) {
            const std::pair<int32_t, int32_t> key{(i % layer.columns) * t % repeatX, (i / layer.columns) * t % repeatY};
            auto [it, added] = seen.emplace(key, jobs.size());
            if (added) jobs.push_back({&layer, key.first, key.second, {}, true});
            tileJob[l].push_back(it->second);
        }
    }
    runAll(jobs);

    // Cells row by row on each sheet after its empty top-left cell.
    std::map<int32_t, int32_t> used;
    std::vector<std::pair<int32_t, int32_t>> cellOf(jobs.size(), {0, 0});
    std::map<int32_t, int32_t> tileOfSheet;
    for (size_t j = 0; j < jobs.size(); ++j) {
        const int32_t slot = jobs[j].layer->slot, t = jobs[j].layer->tile;
        auto [it, added] = tileOfSheet.emplace(slot, t);
        if (it->second != t) throw ContentError("sprites: one sheet holds tiles of two sizes");
        if (jobs[j].empty) continue;
        const int32_t perRow = content.sheet(slot)->width / t;
        const int32_t n = ++used[slot];
        cellOf[j] = {(n % perRow) * t, (n / perRow) * t};
    }
    for (const auto& [slot, t] : tileOfSheet) {
        const int32_t perRow = content.sheet(slot)->width / t;
        const int32_t height = (used[slot] / perRow + 1) * t;
        if (height > 4096) throw ContentError("sprites: too many tiles for one sheet");
        sheets.emplace(slot, Image(content.sheet(slot)->width, height));
    }
    for (size_t j = 0; j < jobs.size(); ++j) {
        if (jobs[j].empty) continue;
        Image& sheet = sheets.at(jobs[j].layer->slot);
        const int32_t t = jobs[j].layer->tile;
        for (int32_t y = 0; y < t; ++y) {
            std::copy_n(jobs[j].pixels.pixel(0, y), size_t(t) * 4, sheet.pixel(cellOf[j].first, cellOf[j].second + y));
        }
    }
    for (size_t l = 0; l < content.tiles.size(); ++l) {
        const TileLayerSpec& layer = content.tiles[l];
        const int32_t t = layer.tile;
        for (int32_t i = 0; i < layer.count; ++i) {
            const auto [x, y] = cellOf[tileJob[l][size_t(i)]];
            const int32_t column = i % layer.columns, row = i / layer.columns;
            rows[size_t(layer.first + i)] = FrameRow{layer.slot, x, y, t, t, layer.first + i, i,
                                                     column * t + t / 2 - layer.baseX,
                                                     layer.baseY - t / 2 - row * t, 0, 0};
        }
    }
}

}  // namespace content
