#include "numbers/bundled_history.h"

#include "bundled_history_data.h"

namespace ssq::numbers {

std::string_view bundledHistoryCsv() {
    return {reinterpret_cast<const char*>(kBundledHistoryBytes), sizeof kBundledHistoryBytes};
}

HistoryFile bundledHistory() {
    return readHistoryCsv(bundledHistoryCsv());
}

} // namespace ssq::numbers
