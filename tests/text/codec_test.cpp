// Conversions between UTF-8 and code page 936: a character the target lacks,
// or a broken UTF-8 sequence, costs one "?" and never the rest of the text.

#include "text/codec.h"

#include <gtest/gtest.h>

#include <string>

using namespace ssq::text;

namespace {

struct CodecCase {
    const char* name;
    std::string utf8;
    std::string gb2312;
};

class Utf8ToGb2312Test : public testing::TestWithParam<CodecCase> {};

TEST_P(Utf8ToGb2312Test, ReplacesEachBadCharacterByOneQuestionMark) {
    EXPECT_EQ(utf8To(Charset::Gb2312, GetParam().utf8), GetParam().gb2312);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToGb2312Test,
    testing::Values(CodecCase{"Ascii", "list_1.html", "list_1.html"},
                    CodecCase{"Chinese", "共页", "\xB9\xB2\xD2\xB3"}, CodecCase{"Empty", "", ""},
                    // U+00A9 has no GB2312 code.
                    CodecCase{"CopyrightSign", "版权 © 2016", "\xB0\xE6\xC8\xA8 ? 2016"},
                    CodecCase{"TwoMissingInARow", "a©®b", "a??b"},
                    // U+20AC and an emoji (four bytes) are outside GB2312 too.
                    CodecCase{"EuroAndEmoji", "\xE2\x82\xAC-\xF0\x9F\x98\x80-", "?-?-"},
                    CodecCase{"LoneContinuationByte",
                              "a\x80"
                              "b",
                              "a?b"},
                    CodecCase{"InvalidLeadBytes", "\xC0\xAF\xFF", "???"},
                    // A three-byte sequence cut after two bytes is one character's worth.
                    CodecCase{"BrokenSequenceThenAscii",
                              "\xE5\x85"
                              "1",
                              "?1"},
                    CodecCase{"BrokenSequenceThenChinese",
                              "\xE5\x85\xB1\xE5\x85"
                              "共",
                              "\xB9\xB2?\xB9\xB2"},
                    CodecCase{"IncompleteTail", "共\xE9\xA1", "\xB9\xB2?"},
                    CodecCase{"IncompleteTailOneByte", "ab\xF0", "ab?"},
                    CodecCase{"Surrogate",
                              "\xED\xA0\x80"
                              "x",
                              "???x"},
                    CodecCase{"Overlong",
                              "\xE0\x80\xAF"
                              "x",
                              "???x"},
                    CodecCase{"ZeroByteKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Codec, LongTextWithBadCharactersKeepsEverythingElse) {
    // Far more than one conversion buffer, with bad characters on both sides
    // of the buffer edges.
    std::string utf8, expected;
    for (int i = 0; i < 5000; ++i) {
        utf8 += "第" + std::to_string(i) + "©";
        expected += "\xB5\xDA" + std::to_string(i) + "?";
    }
    EXPECT_EQ(utf8To(Charset::Gb2312, utf8), expected);
}

TEST(Codec, GbkHasCharactersGb2312Lacks) {
    // 號 is in GBK (CC 96, a second byte below A1) but not in GB2312, whose
    // texts the page rules scan.
    EXPECT_EQ(utf8To(Charset::Gb2312, "號码"), "?\xC2\xEB");
    EXPECT_EQ(utf8To(Charset::Gbk, "號码"), "\xCC\x96\xC2\xEB");
}

TEST(Codec, GbkRoundTrip) {
    const std::string samples[] = {
        "澜舟号录分析工具", "版本号：3.2",         "提示信息",
        "ＡＢＣ１２３　",   "升级文件/update.exe", "程序已运行，请确定！"};
    for (const std::string& s : samples) {
        const std::string bytes = gbk(s);
        EXPECT_EQ(bytes.find('?'), std::string::npos) << s;
        EXPECT_EQ(gbkToUtf8(bytes), s);
    }
}

TEST(Codec, InvalidGbkBecomesQuestionMarks) {
    // A lead byte with a trail byte outside the code page, and a lead byte at
    // the very end.
    EXPECT_EQ(gbkToUtf8("a\x81\x20"
                        "b"),
              "a? b");
    EXPECT_EQ(gbkToUtf8(std::string("\xB9\xB2") + "\xB9"), "共?");
    EXPECT_EQ(gbkToUtf8(""), "");
}

} // namespace
