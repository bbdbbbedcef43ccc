#include "geometry/obj_text.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "model/number_format.h"

namespace modTube {
namespace {

constexpr std::string_view kEol = "\r\n";

void appendInt(std::string& out, long long value) {
  char buffer[24];
  out.append(buffer, static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, value).ptr - buffer));
}

void appendReference(std::string& out, long long vertex, long long normal, bool withNormal) {
  out += ' ';
  appendInt(out, vertex);
  if (withNormal) {
    out += "//";
    appendInt(out, normal);
  }
}

// The side faces between a ring and the one before it.
void appendSideFaces(std::string& out, long long n, bool closed, bool along, bool around) {
  const bool normals = along || around;
  for (long long i = 1; i <= n; ++i) {
    if (i == n && !closed) break;
    const long long q1 = -i, q2 = -i - n;
    const long long q3 = i == n ? -n - 1 : -i - n - 1;
    const long long q4 = i == n ? -1 : -i - 1;
    long long m1 = q1, m2 = q2, m3 = q3, m4 = q4;
    if (along && !around) m1 = 2 * q1, m2 = 2 * q2, m3 = 2 * q3 + 1, m4 = 2 * q4 + 1;
    if (around && !along) m1 = 2 * q1, m2 = 2 * q2 + 1, m3 = 2 * q3 + 1, m4 = 2 * q4;
    out += 'f';
    appendReference(out, q1, m1, normals);
    appendReference(out, q2, m2, normals);
    appendReference(out, q3, m3, normals);
    appendReference(out, q4, m4, normals);
    out += kEol;
  }
}

void appendCap(std::string& out, long long n, bool start) {
  out += 'f';
  for (long long k = 1; k <= n; ++k) {
    out += ' ';
    appendInt(out, start ? -(n + 1 - k) : -k);
  }
  out += kEol;
}

void appendMaterial(std::string& out, std::string_view prefix, int material) {
  char number[16];
  const char* end = std::to_chars(number, number + sizeof number, material).ptr;
  const std::size_t at = out.size();
  out.resize(at + 7 + prefix.size() + static_cast<std::size_t>(end - number) + 2);
  char* p = out.data() + at;
  p = std::copy_n("usemtl ", 7, p);
  p = std::copy(prefix.begin(), prefix.end(), p);
  p = std::copy(static_cast<const char*>(number), end, p);
  std::copy(kEol.begin(), kEol.end(), p);
}

}  // namespace

namespace {

char* writeTriple(char* out, const geometry::clsPixel& p) {
  out = modNumber::formatObjSingle(p.x, out);
  *out++ = ' ';
  out = modNumber::formatObjSingle(p.y, out);
  *out++ = ' ';
  return modNumber::formatObjSingle(p.z, out);
}

// Writes keyword, the three numbers and the line end; returns the end.
char* appendLine(char* out, std::string_view keyword, const geometry::clsPixel& p) {
  out = std::copy(keyword.begin(), keyword.end(), out);
  out = writeTriple(out, p);
  return std::copy(kEol.begin(), kEol.end(), out);
}

}  // namespace

void appendObjText(std::string& out, const clsTube& tube, bool writeNormals, model::clsRandom& random,
                   std::string_view materialPrefix) {
  const int tubeMat = modRandom::randomInteger(random, tube.matFrom, tube.matTo);
  std::size_t n = 0;
  bool along = false, around = false, closed = false, capStart = false, capEnd = false;
  // The side-face text is the same for every ring pair of a run, because the indices are
  // relative: it is written once and then copied from where it first stands in out.
  std::size_t facesAt = std::string::npos, facesLength = 0;
  bool runStart = true;
  for (std::size_t r = 0; r < tube.rings.size(); ++r) {
    const clsPolygon& ring = tube.rings[r];
    const bool firstOfRun = runStart;
    if (runStart) {
      n = ring.v.size();
      along = writeNormals && ring.smoothAlong;
      around = writeNormals && ring.smoothAround;
      closed = ring.isClosed;
      capStart = ring.capStart;
      capEnd = ring.capEnd;
      facesAt = std::string::npos;
      runStart = false;
    }
    assert(ring.v.size() >= n);

    if (!ring.name.empty()) {
      out += "g ";
      out += ring.name;
      out += kEol;
    }
    const int ringMat = modRandom::randomInteger(random, ring.matFrom, ring.matTo);
    if (ringMat > 0) appendMaterial(out, materialPrefix, ringMat);
    else if (tubeMat >= 1) appendMaterial(out, materialPrefix, tubeMat);

    for (std::size_t k = 0; k < n && k < ring.v.size(); ++k) {
      // One vertex's lines are laid out on the stack and appended in one piece.
      char line[3 * (4 + 3 * modNumber::kMaxNumberChars + 4)];
      char* end = appendLine(line, "v ", ring.v[k].p);
      if (along || around) end = appendLine(end, "vn ", ring.v[k].vn1);
      if (along != around) end = appendLine(end, "vn ", ring.v[k].vn2);
      out.append(line, static_cast<std::size_t>(end - line));
    }

    if (firstOfRun) {
      if (capStart) appendCap(out, static_cast<long long>(n), true);
    } else if (facesAt == std::string::npos) {
      facesAt = out.size();
      appendSideFaces(out, static_cast<long long>(n), closed, along, around);
      facesLength = out.size() - facesAt;
    } else {
      out.reserve(out.size() + facesLength);  // the copy's source stays where it is
      out.append(out.data() + facesAt, facesLength);
    }
    if (ring.isEnd || r + 1 == tube.rings.size()) {
      if (capEnd) appendCap(out, static_cast<long long>(n), false);
      runStart = true;
    }
  }
}

std::string tubeToObjText(const clsTube& tube, bool writeNormals, model::clsRandom& random,
                          std::string_view materialPrefix) {
  std::string out;
  appendObjText(out, tube, writeNormals, random, materialPrefix);
  return out;
}

}  // namespace modTube
