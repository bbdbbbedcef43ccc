// Times reading each ground file named on the command line and making it ready for look-ups,
// then a million downward look-ups at random points over it (as drawn, and sorted by place):
//   quenmoor-ground-bench [--z-up] [--rounds N] FILE...
// Run it under /usr/bin/time -v for the peak memory of one file.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>

#include "platform/assimp/assimp_ground_loader.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 1;
  platform::clsGroundOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--rounds" && i + 1 < argc) {
      rounds = std::stoi(argv[++i]);
      continue;
    }
    if (argument == "--z-up") {
      options.zUp = true;
      continue;
    }
    platform::AssimpGroundLoader loader;
    double bestLoad = 1e30;
    platform::clsGroundMesh mesh;
    for (int round = 0; round < rounds; ++round) {
      std::string error;
      const auto start = std::chrono::steady_clock::now();
      const std::clock_t cpuStart = std::clock();
      double copyStart = 0, copyStartCpu = 0;
      const platform::tGroundProgress progress = [&](float share) {
        if (share >= 0.9f && copyStart == 0) {
          copyStart = secondsSince(start);
          copyStartCpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        }
        return true;
      };
      if (loader.load(argument, options, mesh, error, progress) != platform::GroundStatus::Ok) {
        std::printf("%s\n", error.c_str());
        return 1;
      }
      bestLoad = std::min(bestLoad, secondsSince(start));
      const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
      std::printf("  Assimp %.3f s, copy %.3f s; cpu %.3f + %.3f s\n", copyStart, bestLoad - copyStart, copyStartCpu, cpu - copyStartCpu);
    }
    std::printf("%s: %zu triangles, read %.3f s\n", argument.c_str(), platform::triangleCount(mesh), bestLoad);
  }
  return 0;
}
