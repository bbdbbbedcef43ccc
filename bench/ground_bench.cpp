// Times reading each ground file named on the command line and making it ready for look-ups,
// then a million downward look-ups at random points over it, as drawn and sorted along Z:
//   quenmoor-ground-bench [--z-up] FILE...
// Wall-clock and processor seconds are both shown: on a busy machine the second is the measure.
// Run it under /usr/bin/time -v for the peak memory of one file.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>

#include "generation/ground.h"
#include "platform/assimp/assimp_ground_loader.h"

namespace {

struct clsStopwatch {
  std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
  std::clock_t processor = std::clock();
  // "1.234 s (cpu 0.456 s)" since the start, and starts again.
  std::string lap() {
    char text[64];
    const auto now = std::chrono::steady_clock::now();
    const std::clock_t clock = std::clock();
    std::snprintf(text, sizeof text, "%.3f s (cpu %.3f s)", std::chrono::duration<double>(now - wall).count(),
                  double(clock - processor) / CLOCKS_PER_SEC);
    wall = now;
    processor = clock;
    return text;
  }
};

constexpr int kLookUps = 1'000'000;

void lookUps(const generation::clsGround& ground, std::vector<std::pair<float, float>> points, const char* label) {
  clsStopwatch watch;
  std::size_t hits = 0;
  double heights = 0;
  for (const auto& [x, z] : points) {
    const generation::clsGroundHit hit = modGround::lookDown(ground, x, z);
    hits += hit.hit;
    heights += hit.point.y;
  }
  std::printf("  %d look-ups %s: %s, %zu hits (mean height %.3f)\n", kLookUps, label, watch.lap().c_str(), hits,
              heights / double(std::max<std::size_t>(hits, 1)));
}

}  // namespace

int main(int argc, char** argv) {
  platform::clsGroundOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    if (path == "--z-up") {
      options.zUp = true;
      continue;
    }
    platform::AssimpGroundLoader loader;
    auto mesh = std::make_shared<platform::clsGroundMesh>();
    std::string error;
    clsStopwatch watch;
    if (loader.load(path, options, *mesh, error) != platform::GroundStatus::Ok) {
      std::printf("%s\n", error.c_str());
      return 1;
    }
    const std::string read = watch.lap();
    const generation::clsGround ground = modGround::prepareGround(mesh);
    const std::string grid = watch.lap();
    std::printf("%s: %zu triangles; read %s, grid %s (%d x %d cells, %zu entries)\n", path.c_str(),
                platform::triangleCount(*mesh), read.c_str(), grid.c_str(), ground.grid.columns, ground.grid.rows,
                ground.grid.triangles.size());
    std::mt19937 random(1);
    std::uniform_real_distribution<float> x(mesh->minX, mesh->maxX), z(mesh->minZ, mesh->maxZ);
    std::vector<std::pair<float, float>> points(kLookUps);
    for (auto& point : points) point = {x(random), z(random)};
    lookUps(ground, points, "at random");
    std::sort(points.begin(), points.end(), [](const auto& a, const auto& b) {
      return std::pair(int(a.second), a.first) < std::pair(int(b.second), b.first);
    });
    lookUps(ground, points, "sorted");
  }
  return 0;
}
