#pragma once
// The generator's entry: makes the items of every element in use from a snapshot of the store
// and feeds them to the writer.

#include "generation/obj_writer.h"
#include "model/random.h"
#include "model/store.h"

namespace modGenerate {

// Returns the first status other than 1 that writing an item gave, or the status of the final
// write when every item was made.
int generateAll(const model::clsStore& store, generation::clsObjWriter& writer, model::clsRandom& random);

}  // namespace modGenerate
