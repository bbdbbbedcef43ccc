#pragma once
// Vertex normals of finished items, from the two triangles of every quad between consecutive
// rings of a run. The builders leave them to whoever reads the items, so that in a creation run
// they are computed on the writing thread, beside the generator.

#include <cstddef>

#include "geometry/item_list.h"

namespace modItemNormals {

// Fills the normals of the list's items [first, end) from their positions: vn1 and vn2 of every
// vertex in runs that write normals. A run of one ring keeps (0, 0, 0), as addTube left it.
// Items whose normals are done already are passed over, so every reader may ask for them.
void computeNormals(geometry::clsItemList& list, std::size_t first, std::size_t end);

}  // namespace modItemNormals
