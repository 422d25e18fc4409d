#pragma once
// What one page of a live source gave, as its parser read it.

#include "store/draw_record.h"

#include <string>
#include <vector>

namespace ssq::sources {

struct SourceAnswer {
    bool ok = false;
    std::string error;                    // why the answer is refused, when !ok
    std::vector<store::DrawRecord> draws; // in the order the source wrote them
    int pages = 1;                        // pages the source says the query has
};

inline SourceAnswer refused(std::string why) {
    SourceAnswer a;
    a.error = std::move(why);
    return a;
}

} // namespace ssq::sources
