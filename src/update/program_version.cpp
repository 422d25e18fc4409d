#include "update/program_version.h"

#include "text/codec.h"
#include "text/gbk_text.h"

namespace ssq::update {

const std::string& normalCaption() {
    static const std::string caption = text::gbk(SSQ_PRODUCT_TITLE) + std::string(50, ' ') +
                                       text::gbk("版本号：") + text::formatReal(kProgramVersion);
    return caption;
}

bool isNewer(double publishedVersion) {
    return publishedVersion - kProgramVersion > kNewerThreshold;
}

} // namespace ssq::update
