#pragma once

namespace app {

// Makes sure the windows are drawn in a proportional font. On a system with few fonts the
// desktop's "sans-serif" can resolve to a fixed-pitch face (Liberation Mono when only the
// Liberation fonts are there); the program then asks for a proportional face by name.
void ensureProportionalUiFont();

} // namespace app
