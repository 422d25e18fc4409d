#pragma once
// Between the rows of the draw table and the draws of the local store: a
// stored draw shows with the cell texts a list page gives, and a list-page row
// becomes a draw to store.

#include "history/results_page.h"
#include "store/draw_record.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ssq::history {

// Date, period, six zero-padded reds, zero-padded blue and the sales amount
// with thousands separators ("344,932,190"; empty when unknown): the ten
// cells after the serial, as a list page shows them.
DrawFields fieldsOf(const store::DrawRecord& draw);

// The draw of a list-page row, or nothing when a field is not as the pages
// write it. The pages give no pool amount.
std::optional<store::DrawRecord> recordOf(const DrawFields& fields);

// "3493" -> "3,493".
std::string groupThousands(std::int64_t n);

} // namespace ssq::history
