#include "platform/assimp/assimp_ground_loader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace platform {
namespace {

// Assimp reads the file in the first part of the progress, we copy its triangles in the rest.
constexpr float kReadShare = 0.9f;
constexpr std::size_t kTrianglesPerReport = 1 << 16;

struct clsCancelled {};

// Passes Assimp's progress on, never backwards: reading is the first 80 % of it, its steps
// after reading the rest. A cancel while the file is read is thrown out of the reader, which
// ends the read at once (load catches whatever Assimp does not); later it is noticed by load.
class ProgressRelay final : public Assimp::ProgressHandler {
 public:
  ProgressRelay(const tGroundProgress& progress, bool& cancelled) : progress_(progress), cancelled_(cancelled) {}
  bool Update(float percentage) override {
    if (cancelled_ || !progress_) return !cancelled_;
    last_ = std::max(last_, std::clamp(percentage, 0.0f, 1.0f));
    if (!progress_(last_ * kReadShare)) cancelled_ = true;
    return !cancelled_;
  }
  void UpdateFileRead(int currentStep, int numberOfSteps) override {
    if (!Update(0.8f * shareOf(currentStep, numberOfSteps))) throw clsCancelled{};
  }
  void UpdatePostProcess(int currentStep, int numberOfSteps) override {
    Update(0.8f + 0.2f * shareOf(currentStep, numberOfSteps));
  }

 private:
  static float shareOf(int step, int steps) { return steps > 0 ? float(step) / float(steps) : 1.0f; }
  const tGroundProgress& progress_;
  bool& cancelled_;
  float last_ = 0;
};

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string cancelledMessage(const std::string& path) {
  return "Reading the ground file " + quoted(path) + " was cancelled.";
}

// Assimp's reasons can span lines and run long; a message shows one short line.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  if (text.size() > 160) text = text.substr(0, 157) + "...";
  return text;
}

std::string lowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

// Assimp's PLY reader never returns from a file cut inside its header: such a file is refused
// before Assimp sees it, whatever its name (Assimp knows a PLY file by its first bytes too). A
// header ends within its first lines; 64 KB is far more than any needs.
bool isCutPly(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string start(64 * 1024, '\0');
  file.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(file.gcount()));
  std::string magic = start.substr(0, 3);
  for (char& c : magic) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (magic != "ply") return false;
  const std::size_t end = start.find("end_header");
  return end == std::string::npos || end + 10 >= start.size() || (start[end + 10] != '\n' && start[end + 10] != '\r');
}

std::int64_t byteLimitFor(const std::string& extension) {
  if (extension == "obj") return AssimpGroundLoader::kMaxObjBytes;
  if (extension == "stl") return AssimpGroundLoader::kMaxStlBytes;
  return AssimpGroundLoader::kMaxOtherBytes;
}

std::string withThousands(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

// Every mesh and face in place, every face naming corners its mesh holds.
bool isWhole(const aiScene& scene) {
  if (scene.mNumMeshes > 0 && scene.mMeshes == nullptr) return false;
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh* mesh = scene.mMeshes[m];
    if (mesh == nullptr) return false;
    if ((mesh->mNumFaces > 0 && mesh->mFaces == nullptr) || (mesh->mNumVertices > 0 && mesh->mVertices == nullptr))
      return false;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const aiFace& face = mesh->mFaces[f];
      if (face.mNumIndices > 0 && face.mIndices == nullptr) return false;
      for (unsigned i = 0; i < face.mNumIndices; ++i) {
        if (face.mIndices[i] >= mesh->mNumVertices) return false;
      }
    }
  }
  return true;
}

bool hasPolygons(const aiScene& scene) {
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      if (mesh.mFaces[f].mNumIndices > 3) return true;
    }
  }
  return false;
}

struct clsInstance {
  const aiMesh* mesh;
  aiMatrix4x4 transform;
};

// Every mesh as the nodes place it; a mesh that no node names stands where it is.
std::vector<clsInstance> instancesOf(const aiScene& scene) {
  std::vector<clsInstance> instances;
  if (scene.mRootNode != nullptr) {
    std::vector<std::pair<const aiNode*, aiMatrix4x4>> pending{{scene.mRootNode, scene.mRootNode->mTransformation}};
    while (!pending.empty()) {
      const auto [node, transform] = pending.back();
      pending.pop_back();
      for (unsigned m = 0; m < node->mNumMeshes; ++m) {
        if (node->mMeshes[m] < scene.mNumMeshes && scene.mMeshes[node->mMeshes[m]] != nullptr)
          instances.push_back({scene.mMeshes[node->mMeshes[m]], transform});
      }
      for (unsigned c = 0; c < node->mNumChildren; ++c) {
        if (node->mChildren[c] != nullptr)
          pending.emplace_back(node->mChildren[c], transform * node->mChildren[c]->mTransformation);
      }
    }
  }
  if (instances.empty()) {
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
      if (scene.mMeshes[m] != nullptr) instances.push_back({scene.mMeshes[m], aiMatrix4x4()});
    }
  }
  return instances;
}

std::uint64_t trianglesOf(const std::vector<clsInstance>& instances) {
  std::uint64_t count = 0;
  for (const clsInstance& instance : instances) {
    for (unsigned f = 0; f < instance.mesh->mNumFaces; ++f) {
      const unsigned corners = instance.mesh->mFaces[f].mNumIndices;
      if (corners >= 3) count += corners - 2;
    }
  }
  return count;
}

// Writes the triangle's nine numbers to out when its corners are finite and it has an area, as
// singles; the test in double, so that a product of singles neither vanishes nor overflows.
bool putTriangle(const aiVector3D& a, const aiVector3D& b, const aiVector3D& c, bool zUp, float* out) {
  for (const aiVector3D* p : {&a, &b, &c}) {
    *out++ = p->x;
    *out++ = zUp ? p->z : p->y;
    *out++ = zUp ? -p->y : p->z;
  }
  out -= 9;
  for (int k = 0; k < 9; ++k) {
    if (!std::isfinite(out[k]) || std::fabs(out[k]) > 1e30f) return false;
  }
  const double u[3] = {double(out[3]) - out[0], double(out[4]) - out[1], double(out[5]) - out[2]};
  const double v[3] = {double(out[6]) - out[0], double(out[7]) - out[1], double(out[8]) - out[2]};
  const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  const double cross = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
  const double lengths = (u[0] * u[0] + u[1] * u[1] + u[2] * u[2]) * (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return cross > 1e-12 * lengths;
}

void computeBounds(clsGroundMesh& mesh) {
  float low[3] = {mesh.corners[0], mesh.corners[1], mesh.corners[2]};
  float high[3] = {low[0], low[1], low[2]};
  for (std::size_t i = 0; i < mesh.corners.size(); i += 3) {
    for (std::size_t k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], mesh.corners[i + k]);
      high[k] = std::max(high[k], mesh.corners[i + k]);
    }
  }
  mesh.minX = low[0], mesh.minY = low[1], mesh.minZ = low[2];
  mesh.maxX = high[0], mesh.maxY = high[1], mesh.maxZ = high[2];
}

// The usable triangles of every instance, in the program's axes; false when cancelled.
bool copyTriangles(const std::vector<clsInstance>& instances, std::uint64_t total, bool zUp, clsGroundMesh& mesh,
                   const tGroundProgress& progress) {
  mesh.corners.resize(static_cast<std::size_t>(total) * 9);
  float* out = mesh.corners.data();
  std::uint64_t done = 0;
  for (const clsInstance& instance : instances) {
    const aiMesh& source = *instance.mesh;
    const bool placed = !instance.transform.IsIdentity();
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
      const aiFace& face = source.mFaces[f];
      // Polygons the triangulation left (it leaves none it can read) are fanned; the scene's
      // corner numbers were checked when it was read.
      for (unsigned i = 1; i + 1 < face.mNumIndices; ++i) {
        if (++done % kTrianglesPerReport == 0 && progress &&
            !progress(kReadShare + (1 - kReadShare) * float(done) / float(total)))
          return false;
        const aiVector3D* at = source.mVertices;
        const unsigned a = face.mIndices[0], b = face.mIndices[i], c = face.mIndices[i + 1];
        const bool kept = placed ? putTriangle(instance.transform * at[a], instance.transform * at[b],
                                               instance.transform * at[c], zUp, out)
                                 : putTriangle(at[a], at[b], at[c], zUp, out);
        if (kept) out += 9;
      }
    }
  }
  mesh.corners.resize(static_cast<std::size_t>(out - mesh.corners.data()));
  // A ground of many unusable triangles gives the rest back.
  if (mesh.corners.size() < mesh.corners.capacity() / 4 * 3) mesh.corners.shrink_to_fit();
  return true;
}

}  // namespace

GroundStatus AssimpGroundLoader::load(const std::string& path, const clsGroundOptions& options, clsGroundMesh& mesh,
                                      std::string& error, const tGroundProgress& progress) {
  mesh = {};
  error.clear();
  std::error_code failure;
  const std::filesystem::file_status status = std::filesystem::status(path, failure);
  if (!std::filesystem::exists(status)) {
    error = "The ground file " + quoted(path) + " does not exist.";
    return GroundStatus::Missing;
  }
  if (!std::filesystem::is_regular_file(status)) {
    error = "The ground " + quoted(path) + " is not a file.";
    return GroundStatus::Unreadable;
  }
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path, failure));
  if (failure || bytes == 0) {
    error = "The ground file " + quoted(path) + " is empty.";
    return GroundStatus::Unreadable;
  }
  const std::int64_t limit = byteLimitFor(lowerExtension(path));
  if (bytes > limit) {
    error = "The ground file " + quoted(path) + " is too large: " + withThousands(std::uint64_t(bytes >> 20)) +
            " MB, grounds of this type are read up to " + withThousands(std::uint64_t(limit >> 20)) + " MB.";
    return GroundStatus::TooLarge;
  }

  if (isCutPly(path)) {
    error = "The ground file " + quoted(path) + " cannot be read: its PLY header is cut short or damaged.";
    return GroundStatus::Unreadable;
  }

  bool cancelled = false;
  Assimp::Importer importer;
  importer.SetProgressHandler(new ProgressRelay(progress, cancelled));  // the importer owns it
  const aiScene* scene = nullptr;
  std::string reason;
  try {
    // Read as it is, then checked: Assimp's readers can leave a cut file's faces pointing
    // nowhere, and its steps after reading trust them. Only triangulation is asked for; every
    // other step copies the scene or costs time a ground does not need.
    scene = importer.ReadFile(path, 0);
    if (scene == nullptr) {
      reason = importer.GetErrorString();
    } else if (!isWhole(*scene)) {
      scene = nullptr;
      reason = "the file is cut short or damaged";
    } else if (hasPolygons(*scene)) {
      scene = importer.ApplyPostProcessing(aiProcess_Triangulate);
      if (scene == nullptr) reason = importer.GetErrorString();
    }
  } catch (...) {
    scene = nullptr;
    reason = "the reader failed";
  }
  if (cancelled) {
    error = cancelledMessage(path);
    return GroundStatus::Cancelled;
  }
  if (scene == nullptr) {
    reason = oneLine(reason);
    error = "The ground file " + quoted(path) + " cannot be read" + (reason.empty() ? "" : ": " + reason) + ".";
    return GroundStatus::Unreadable;
  }
  const std::vector<clsInstance> instances = instancesOf(*scene);
  const std::uint64_t total = trianglesOf(instances);
  if (total > kMaxGroundTriangles) {
    error = "The ground file " + quoted(path) + " holds " + withThousands(total) + " triangles; grounds of at most " +
            withThousands(kMaxGroundTriangles) + " are read.";
    return GroundStatus::TooLarge;
  }
  if (!copyTriangles(instances, total, options.zUp, mesh, progress)) {
    mesh = {};
    error = cancelledMessage(path);
    return GroundStatus::Cancelled;
  }
  if (mesh.corners.empty()) {
    error = "The ground file " + quoted(path) +
            (total == 0 ? " holds no triangles." : " holds no usable triangle (only flat or broken ones).");
    return GroundStatus::NoTriangles;
  }
  if (progress && !progress(1.0f)) {
    mesh = {};
    error = cancelledMessage(path);
    return GroundStatus::Cancelled;
  }
  computeBounds(mesh);
  return GroundStatus::Ok;
}

std::vector<std::string> AssimpGroundLoader::extensions() const {
  return {"obj", "gltf", "glb", "ply", "stl", "fbx", "dae", "3ds", "off", "x3d"};
}

}  // namespace platform
