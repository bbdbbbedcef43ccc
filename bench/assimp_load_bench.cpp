// Times how long Assimp (behind many engines' importers) takes to load each file named on the
// command line, best of a few loads: quenmoor-assimp-load FILE... [--rounds N]
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  int rounds = 3;
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    if (path == "--rounds" && i + 1 < argc) {
      rounds = std::stoi(argv[++i]);
      continue;
    }
    double best = 1e30;
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
      best = std::min(best, seconds);
    }
    std::printf("%s: %.3f s, %u faces, %u-round best\n", path.c_str(), best, faces, rounds);
  }
  return 0;
}
