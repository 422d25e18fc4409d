#include "demo_server.h"

namespace ssq::demo {

// Filled in with the update server's files (manifest and package).
std::map<std::string, Canned> defaultUpdateFiles(const std::string& /*baseUrl*/) { return {}; }

} // namespace ssq::demo
