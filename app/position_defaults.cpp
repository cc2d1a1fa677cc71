#include "app/position_defaults.h"

namespace qucap {

// The computation comes with the display-position tab; until then rows keep
// the positions they were given.
void applyDefaultPositionsToAll(DefaultPositionMode mode) { (void)mode; }

void fillUnsetPositions(WorkingRow& row) { (void)row; }

}  // namespace qucap
