#include "platform/assimp/assimp_ground_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include "generation/ground.h"
#include "generation/ground_shapes.h"

namespace {

using groundtest::clsSurface;
using platform::GroundStatus;

std::string bytesOf(const void* data, std::size_t size) { return std::string(static_cast<const char*>(data), size); }
template <typename T>
std::string bytesOf(T value) {
  return bytesOf(&value, sizeof value);
}

std::string objText(const clsSurface& surface, bool zUp) {
  std::string text = "# hills\no hills\n";
  char line[128];
  for (const auto& p : surface.points) {
    // Nine digits bring every single back exactly; a Z-up file holds (x, -z, y).
    std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", p[0], zUp ? -p[2] : p[1], zUp ? p[1] : p[2]);
    text += line;
  }
  for (const auto& t : surface.triangles)
    text += "f " + std::to_string(t[0] + 1) + " " + std::to_string(t[1] + 1) + " " + std::to_string(t[2] + 1) + "\n";
  return text;
}

std::string plyBytes(const clsSurface& surface) {
  std::string bytes = "ply\nformat binary_little_endian 1.0\nelement vertex " + std::to_string(surface.points.size()) +
                      "\nproperty float x\nproperty float y\nproperty float z\nelement face " +
                      std::to_string(surface.triangles.size()) +
                      "\nproperty list uchar int vertex_indices\nend_header\n";
  for (const auto& p : surface.points) bytes += bytesOf(p.data(), 12);
  for (const auto& t : surface.triangles) {
    bytes += bytesOf(std::uint8_t(3));
    for (unsigned i : t) bytes += bytesOf(std::int32_t(i));
  }
  return bytes;
}

std::string stlBytes(const clsSurface& surface) {
  std::string bytes(80, ' ');
  bytes += bytesOf(std::uint32_t(surface.triangles.size()));
  for (const auto& t : surface.triangles) {
    bytes += std::string(12, '\0');  // readers work the normal out themselves
    for (unsigned i : t) bytes += bytesOf(surface.points[i].data(), 12);
    bytes += std::string(2, '\0');
  }
  return bytes;
}

// node is the scene's one node, which may move the mesh.
std::string glbBytes(const clsSurface& surface, const std::string& node = R"({"mesh":0})") {
  std::string binary;
  for (const auto& p : surface.points) binary += bytesOf(p.data(), 12);
  const std::size_t positions = binary.size();
  for (const auto& t : surface.triangles) {
    for (unsigned i : t) binary += bytesOf(std::uint32_t(i));
  }
  std::array<float, 3> low = surface.points[0], high = low;
  for (const auto& p : surface.points) {
    for (int k = 0; k < 3; ++k) low[k] = std::min(low[k], p[k]), high[k] = std::max(high[k], p[k]);
  }
  std::string json(1024 + node.size(), '\0');
  json.resize(std::size_t(std::snprintf(
      json.data(), json.size(),
      R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[%s],)"
      R"("meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":1}]}],"buffers":[{"byteLength":%zu}],)"
      R"("bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":%zu},)"
      R"({"buffer":0,"byteOffset":%zu,"byteLength":%zu}],)"
      R"("accessors":[{"bufferView":0,"componentType":5126,"count":%zu,"type":"VEC3",)"
      R"("min":[%.9g,%.9g,%.9g],"max":[%.9g,%.9g,%.9g]},)"
      R"({"bufferView":1,"componentType":5125,"count":%zu,"type":"SCALAR"}]})",
      node.c_str(), binary.size(), positions, positions, binary.size() - positions, surface.points.size(), low[0],
      low[1], low[2], high[0], high[1], high[2], 3 * surface.triangles.size())));
  json.append((4 - json.size() % 4) % 4, ' ');
  binary.append((4 - binary.size() % 4) % 4, '\0');
  std::string bytes = "glTF" + bytesOf(std::uint32_t(2)) + bytesOf(std::uint32_t(28 + json.size() + binary.size()));
  bytes += bytesOf(std::uint32_t(json.size())) + "JSON" + json;
  bytes += bytesOf(std::uint32_t(binary.size())) + "BIN" + std::string(1, '\0') + binary;
  return bytes;
}

class AssimpGround : public ::testing::Test {
 protected:
  platform::AssimpGroundLoader loader;
  const std::filesystem::path folder = [] {
    const ::testing::UnitTest* test = ::testing::UnitTest::GetInstance();
    const auto path =
        std::filesystem::temp_directory_path() /
        ("quenmoor-ground-" + std::to_string(test->random_seed()) + "-" + test->current_test_info()->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
  }();

  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Loads the file, expecting Ok.
  platform::clsGroundMesh load(const std::string& path, bool zUp = false) {
    platform::clsGroundMesh mesh;
    std::string error;
    EXPECT_EQ(loader.load(path, {zUp}, mesh, error), GroundStatus::Ok) << error;
    EXPECT_TRUE(error.empty());
    return mesh;
  }
};

// The same look-ups, hit for hit, at random points over and beside the surface.
void expectSameGround(const platform::clsGroundMesh& expected, const platform::clsGroundMesh& actual,
                      const std::string& name) {
  SCOPED_TRACE(name);
  EXPECT_EQ(platform::triangleCount(actual), platform::triangleCount(expected));
  const auto bounds = [](const platform::clsGroundMesh& m) {
    return std::array{m.minX, m.maxX, m.minY, m.maxY, m.minZ, m.maxZ};
  };
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(bounds(actual)[k], bounds(expected)[k], 1e-5 * 10);
  const generation::clsGround a = modGround::prepareGround(std::make_shared<platform::clsGroundMesh>(expected));
  const generation::clsGround b = modGround::prepareGround(std::make_shared<platform::clsGroundMesh>(actual));
  std::mt19937 random(7);
  std::uniform_real_distribution<float> x(-1, 11), z(-1, 9);
  for (int i = 0; i < 2000; ++i) {
    const float px = x(random), pz = z(random);
    const generation::clsGroundHit one = modGround::lookDown(a, px, pz), other = modGround::lookDown(b, px, pz);
    ASSERT_EQ(one.hit, other.hit) << px << ", " << pz;
    EXPECT_NEAR(one.point.y, other.point.y, 1e-5 * 10);
    EXPECT_NEAR(one.normal.y, other.normal.y, 1e-5);
  }
}

TEST_F(AssimpGround, ObjGlbPlyStlAndFbxOfOneSurfaceAreOneGround) {
  const clsSurface hills = groundtest::hills();
  const platform::clsGroundMesh expected = groundtest::meshOf(hills);
  expectSameGround(expected, load(write("hills.obj", objText(hills, false))), "obj");
  expectSameGround(expected, load(write("hills.glb", glbBytes(hills))), "glb");
  expectSameGround(expected, load(write("hills.ply", plyBytes(hills))), "ply");
  expectSameGround(expected, load(write("hills.stl", stlBytes(hills))), "stl");
  expectSameGround(expected, load(write("hills-z-up.obj", objText(hills, true)), true), "z up");
  // FBX as Assimp's own exporter writes it (in text: its binary FBX does not read back in Assimp 5.2).
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile((folder / "hills.obj").string(), 0);
  ASSERT_NE(scene, nullptr);
  ASSERT_EQ(Assimp::Exporter().Export(scene, "fbxa", (folder / "hills.fbx").string()), AI_SUCCESS);
  expectSameGround(expected, load((folder / "hills.fbx").string()), "fbx");
  // The same Z-up file read as Y-up is another ground: a wall, with nothing to land on.
  const platform::clsGroundMesh wall = load((folder / "hills-z-up.obj").string());
  EXPECT_FLOAT_EQ(wall.minZ, expected.minY);
  EXPECT_FLOAT_EQ(wall.minY, -expected.maxZ);
}

TEST_F(AssimpGround, QuadsAreTriangulatedAndNodesPlaced) {
  // One quad, and the same quad moved up by 2 by a node of a glTF file.
  const platform::clsGroundMesh quad = load(write("quad.obj", "v 0 0 0\nv 0 1 4\nv 4 1 4\nv 4 0 0\nf 1 2 3 4\n"));
  EXPECT_EQ(platform::triangleCount(quad), 2u);
  const clsSurface square{{{0, 0, 0}, {0, 0, 4}, {4, 0, 4}, {4, 0, 0}}, {{0, 1, 2}, {0, 2, 3}}};
  const std::string glb = glbBytes(square, R"({"mesh":0,"translation":[0,2,0]})");
  const platform::clsGroundMesh lifted = load(write("lifted.glb", glb));
  EXPECT_FLOAT_EQ(lifted.minY, 2);
  EXPECT_FLOAT_EQ(lifted.maxY, 2);
}

TEST_F(AssimpGround, FlatAndBrokenTrianglesAreLeftOut) {
  const platform::clsGroundMesh mesh =
      load(write("some.obj", "v 0 0 0\nv 0 0 1\nv 1 0 0\nv 2 0 0\nv 1e39 0 0\nf 1 2 3\nf 1 3 4\nf 1 2 5\nf 1 1 2\n"));
  EXPECT_EQ(platform::triangleCount(mesh), 1u);
  EXPECT_EQ(mesh.maxX, 1);
}

TEST_F(AssimpGround, ABadGroundIsRefusedWithItsReason) {
  const clsSurface hills = groundtest::hills();
  const std::string ply = plyBytes(hills), glb = glbBytes(hills), stl = stlBytes(hills);
  clsSurface broken = hills;
  for (auto& p : broken.points) p[1] = NAN;
  std::filesystem::create_directory(folder / "folder.obj");
  std::ofstream(folder / "huge.obj").close();
  std::filesystem::resize_file(folder / "huge.obj", 300LL << 20);  // sparse: it takes no disk
  const struct {
    std::string path;
    GroundStatus status;
    std::string reason;
  } cases[] = {
      {(folder / "missing.obj").string(), GroundStatus::Missing, "does not exist"},
      {(folder / "folder.obj").string(), GroundStatus::Unreadable, "is not a file"},
      {write("empty.obj", ""), GroundStatus::Unreadable, "is empty"},
      {(folder / "huge.obj").string(), GroundStatus::TooLarge, "is too large: 300 MB"},
      {write("garbage.obj", "Lorem ipsum dolor\nsit amet\n\x01\x02\xff\n"), GroundStatus::NoTriangles, "holds no"},
      {write("garbage.glb", "Lorem ipsum dolor sit amet, consectetur\n"), GroundStatus::Unreadable, "cannot be read"},
      {write("garbage.ply", "ply\nLorem ipsum\n"), GroundStatus::Unreadable, "cannot be read"},
      {write("cut-header.dat", ply.substr(0, 22)), GroundStatus::Unreadable, "header is cut short"},
      {write("garbage.fbx", std::string(4000, 'x')), GroundStatus::Unreadable, "cannot be read"},
      {write("cut.ply", ply.substr(0, ply.size() / 2)), GroundStatus::Unreadable, "cannot be read"},
      {write("cut.glb", glb.substr(0, glb.size() - 100)), GroundStatus::Unreadable, "cannot be read"},
      {write("cut.stl", stl.substr(0, stl.size() / 2)), GroundStatus::Unreadable, "cannot be read"},
      {write("lines.obj", "v 0 0 0\nv 1 0 0\nv 1 0 1\nl 1 2 3\n"), GroundStatus::NoTriangles, "holds no"},
      {write("flat.obj", "v 0 0 0\nv 1 0 0\nv 2 0 0\nf 1 2 3\nf 1 1 1\n"), GroundStatus::NoTriangles,
       "no usable triangle"},
      {write("nan.ply", plyBytes(broken)), GroundStatus::NoTriangles, "no usable triangle"},
  };
  for (const auto& bad : cases) {
    platform::clsGroundMesh mesh;
    mesh.corners = {1, 2, 3};
    std::string error;
    EXPECT_EQ(loader.load(bad.path, {}, mesh, error), bad.status) << bad.path << ": " << error;
    EXPECT_NE(error.find(bad.reason), std::string::npos) << error;
    EXPECT_NE(error.find("\"" + bad.path + "\""), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(mesh.corners.empty()) << bad.path;
  }
}

TEST_F(AssimpGround, AFileCutAnywhereIsRefusedOrReadNeverACrash) {
  const clsSurface hills = groundtest::hills(4, 3);
  const std::pair<std::string, std::string> files[] = {
      {"obj", objText(hills, false)}, {"glb", glbBytes(hills)}, {"ply", plyBytes(hills)}, {"stl", stlBytes(hills)}};
  for (const auto& [extension, bytes] : files) {
    // Cuts close together within the first 200 bytes (the headers), farther apart after them.
    for (std::size_t length = 1; length < bytes.size(); length += length < 200 ? 3 : 17) {
      platform::clsGroundMesh mesh;
      std::string error;
      const GroundStatus status = loader.load(write("cut." + extension, bytes.substr(0, length)), {}, mesh, error);
      EXPECT_EQ(status == GroundStatus::Ok, error.empty()) << extension << " " << length << ": " << error;
      EXPECT_LE(platform::triangleCount(mesh), hills.triangles.size());
    }
  }
}

TEST_F(AssimpGround, ProgressRunsUpToTheEndAndCanCancel) {
  // Squares, which Assimp triangulates after reading.
  std::string squares;
  for (int j = 0; j <= 200; ++j) {
    for (int i = 0; i <= 200; ++i)
      squares += "v " + std::to_string(i) + " " + std::to_string((i * j) % 7) + " " + std::to_string(j) + "\n";
  }
  for (int j = 0; j < 200; ++j) {
    for (int i = 1; i <= 200; ++i) {
      const int a = j * 201 + i;
      squares += "f " + std::to_string(a) + " " + std::to_string(a + 201) + " " + std::to_string(a + 202) + " " +
                 std::to_string(a + 1) + "\n";
    }
  }
  const std::string path = write("squares.obj", squares);
  std::vector<float> shares;
  platform::clsGroundMesh mesh;
  std::string error;
  ASSERT_EQ(loader.load(path, {}, mesh, error, [&](float share) { return shares.push_back(share), true; }),
            GroundStatus::Ok);
  ASSERT_GE(shares.size(), 2u);
  EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
  EXPECT_GE(shares.front(), 0);
  EXPECT_EQ(shares.back(), 1);
  EXPECT_EQ(platform::triangleCount(mesh), 80000u);
  for (std::size_t stop = 0; stop < shares.size(); stop += std::max<std::size_t>(1, shares.size() / 4)) {
    std::size_t calls = 0;
    EXPECT_EQ(loader.load(path, {}, mesh, error, [&](float) { return calls++ < stop; }), GroundStatus::Cancelled);
    EXPECT_NE(error.find("cancelled"), std::string::npos);
    EXPECT_TRUE(mesh.corners.empty());
  }
}

}  // namespace
