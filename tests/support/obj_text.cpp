#include "support/obj_text.h"

#include "geometry/item_list.h"
#include "geometry/item_normals.h"

namespace modTube {

void appendObjText(std::string& out, const clsTube& tube, bool writeNormals, model::clsRandom& random,
                   std::string_view materialPrefix) {
  geometry::clsItemList list;
  modItemList::addTube(list, tube, writeNormals, random);
  modItemNormals::computeNormals(list, 0, 1);
  modItemList::appendItemText(out, list, 0, materialPrefix);
}

std::string tubeToObjText(const clsTube& tube, bool writeNormals, model::clsRandom& random,
                          std::string_view materialPrefix) {
  std::string out;
  appendObjText(out, tube, writeNormals, random, materialPrefix);
  return out;
}

}  // namespace modTube
