#include "steps.h"

namespace contentc {

void BuildPictures(const std::string&, bool, Output&, Diagnostics&) {}

}  // namespace contentc
