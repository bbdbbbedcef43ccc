// Times how long Assimp (behind many engines' importers) takes to load each file named on the
// command line, the median and the best of a few loads: quenmoor-assimp-load FILE... [--rounds N]
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  int rounds = 3;
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    if (path == "--rounds" && i + 1 < argc) {
      rounds = std::stoi(argv[++i]);
      continue;
    }
    std::vector<double> times;
    unsigned faces = 0;
    for (int round = 0; round < rounds; ++round) {
      Assimp::Importer importer;
      const auto start = std::chrono::steady_clock::now();
      const aiScene* scene = importer.ReadFile(path, 0);
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (scene == nullptr) {
        std::printf("%s: %s\n", path.c_str(), importer.GetErrorString());
        return 1;
      }
      faces = 0;
      for (unsigned m = 0; m < scene->mNumMeshes; ++m) faces += scene->mMeshes[m]->mNumFaces;
      times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.3f s, best %.3f s, %u faces, %d rounds\n", path.c_str(), times[times.size() / 2],
                times.front(), faces, rounds);
  }
  return 0;
}
