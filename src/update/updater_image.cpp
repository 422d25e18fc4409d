#include "update/updater_image.h"

// The build places the updater's file at SSQ_UPDATER_IMAGE_FILE and rebuilds
// this file whenever the updater changes. The assembler copies its bytes into
// the program's read-only data as they are.
#ifndef SSQ_UPDATER_IMAGE_FILE
#error "SSQ_UPDATER_IMAGE_FILE must name the updater file to carry"
#endif

__asm__(".section .rodata.ssq_updater_image,\"a\",@progbits\n"
        ".balign 16\n"
        ".globl ssq_updater_image_begin\n"
        ".hidden ssq_updater_image_begin\n"
        "ssq_updater_image_begin:\n"
        ".incbin \"" SSQ_UPDATER_IMAGE_FILE "\"\n"
        ".globl ssq_updater_image_end\n"
        ".hidden ssq_updater_image_end\n"
        "ssq_updater_image_end:\n"
        ".previous\n");

extern "C" const char ssq_updater_image_begin[];
extern "C" const char ssq_updater_image_end[];

namespace ssq::update {

std::span<const char> updaterImage() {
    return {ssq_updater_image_begin,
            static_cast<std::size_t>(ssq_updater_image_end - ssq_updater_image_begin)};
}

} // namespace ssq::update
