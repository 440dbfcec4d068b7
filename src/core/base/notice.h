#pragma once

#include <string>
#include <vector>

// The parts of a notice about a file, in UTF-8; the program shows them separated by blank
// lines, the authoring tool on one line.
using TAviso = std::vector<std::string>;
