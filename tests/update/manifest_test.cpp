// The manifest as the update check reads it: the answer body converted to
// code page 936, loaded, 版本号 compared with the program's version and the
// offer text built from the attributes as written.

#include "text/codec.h"
#include "update/manifest_reader.h"
#include "update/program_version.h"
#include "update/version_check.h"

#include <gtest/gtest.h>

#include <string>

namespace ssq::update {
namespace {

using text::gbk;

// A manifest with one 版本信息 element and the given attributes (UTF-8).
std::string manifest(const std::string& attributes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- 发布说明 -->\n<最新版本>\n"
           "  <!-- 当前版本 -->\n  <版本信息 " +
           attributes + "/>\n</最新版本>\n";
}

struct Case {
    const char* name;
    std::string body; // as the server sends it
    double version;   // 版本号 as read
    bool newer;
    std::string offer; // UTF-8; checked when newer
};

std::string offer(const std::string& version, const std::string& notes) {
    return "发现有新版本可以更新！\r\n\r\n版本号：" + version + "\r\n下载说明：" + notes;
}

class ManifestCheck : public ::testing::TestWithParam<Case> {};

TEST_P(ManifestCheck, VersionAndOffer) {
    const Case& c = GetParam();
    ManifestReader reader;
    reader.load(manifestText(c.body));
    EXPECT_DOUBLE_EQ(publishedVersion(reader), c.version);
    EXPECT_EQ(isNewer(publishedVersion(reader)), c.newer);
    if (c.newer) {
        EXPECT_EQ(offerText(reader), gbk(c.offer));
    }
}

const std::string kGbkManifest = gbk(manifest(R"(版本号="9.9" 升级说明="x")"));

INSTANTIATE_TEST_SUITE_P(
    Table, ManifestCheck,
    ::testing::Values(
        Case{"same_version", manifest(R"(版本号="3.2" 升级说明="无")"), 3.2, false, ""},
        Case{"next_version", manifest(R"(升级说明="修正若干问题" 版本号="3.3")"), 3.3, true,
             offer("3.3", "修正若干问题")},
        Case{"whole_number", manifest(R"(版本号="4" 升级说明="新界面")"), 4, true,
             offer("4", "新界面")},
        Case{"decimal_not_parts", manifest(R"(版本号="3.10")"), 3.1, false, ""},
        Case{"full_width", manifest(R"(版本号="３．３" 升级说明="全角")"), 3.3, true,
             offer("３．３", "全角")},
        Case{"leading_space_and_tail", manifest(R"(版本号="  3.5beta" 升级说明="b")"), 3.5, true,
             offer("  3.5beta", "b")},
        Case{"within_threshold", manifest(R"(版本号="3.20000001")"), 3.20000001, false, ""},
        Case{"just_above_threshold", manifest(R"(版本号="3.2000002" 升级说明="t")"), 3.2000002,
             true, offer("3.2000002", "t")},
        Case{"older", manifest(R"(版本号="2.9")"), 2.9, false, ""},
        Case{"empty_version", manifest(R"(版本号="" 升级说明="x")"), 0, false, ""},
        Case{"missing_version", manifest(R"(升级说明="x")"), 0, false, ""},
        Case{"not_a_number", manifest(R"(版本号="新版")"), 0, false, ""},
        Case{"other_root", "<版本><版本信息 版本号=\"9\"/></版本>", 0, false, ""},
        Case{"no_version_element", "<最新版本><其他 版本号=\"9\"/></最新版本>", 0, false, ""},
        Case{"element_not_a_child", "<最新版本><x><版本信息 版本号=\"9\"/></x></最新版本>", 0,
             false, ""},
        Case{"not_xml", "<html><body>404 Not Found", 0, false, ""},
        Case{"plain_text", "3.3", 0, false, ""}, Case{"gbk_encoded", kGbkManifest, 0, false, ""},
        Case{"second_element_ignored",
             "<最新版本><版本信息 版本号=\"3.2\"/><版本信息 版本号=\"9\"/></最新版本>", 3.2, false,
             ""},
        Case{"first_of_duplicate_attributes_counts",
             "<最新版本><版本信息 版本号=\"3.3\" 版本号=\"1\" 升级说明=\"d\"/></最新版本>", 3.3,
             true, offer("3.3", "d")},
        Case{
            "entities_decoded",
            manifest(
                R"(版本号="3.3" 升级说明="a&lt;b&gt;c&amp;d&apos;e&quot;f&#20013;&#x6587;&copy;")"),
            3.3, true, offer("3.3", "a<b>c&d'e\"f中文&copy;")},
        Case{"ends_at_zero_byte",
             std::string("<最新版本><版本信息 版本号=\"3.3\" 升级说明=\"z\"/></最新版本>") + '\0' +
                 "<junk",
             3.3, true, offer("3.3", "z")},
        Case{"zero_byte_cuts_the_document",
             std::string("<最新版本><版本信息 版本号=\"3.3\"") + '\0' + "/></最新版本>", 0, false,
             ""},
        // A byte-order mark (Notepad's UTF-8) becomes "?" before the declaration.
        Case{"byte_order_mark", "\xEF\xBB\xBF" + manifest(R"(版本号="3.3" 升级说明="bom")"), 3.3,
             true, offer("3.3", "bom")},
        // Characters code page 936 lacks come out as "?", the rest is kept.
        Case{"unmappable_characters", manifest(R"(版本号="3.3" 升级说明="😀修正")"), 3.3, true,
             offer("3.3", "?修正")},
        Case{"invalid_utf8_in_value",
             manifest("版本号=\"3.3\" 升级说明=\"a\xFF\xFE"
                      "b\""),
             3.3, true, offer("3.3", "a??b")},
        Case{"empty_body", "", 0, false, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ManifestReader, AttributesByPath) {
    ManifestReader reader;
    ASSERT_TRUE(reader.load(manifestText(manifest(
        R"(版本号="3.3" 升级说明="说明" 下载地址="http://h/p.zip" 文件标题="标题" 文件名="p.zip")"))));
    EXPECT_EQ(manifestField(reader, ManifestField::DownloadUrl), "http://h/p.zip");
    EXPECT_EQ(manifestField(reader, ManifestField::Title), gbk("标题"));
    EXPECT_EQ(manifestField(reader, ManifestField::FileName), "p.zip");
    EXPECT_EQ(reader.attribute(gbk("最新版本"), gbk("版本号")),
              ""); // the root has no such attribute
    EXPECT_EQ(reader.attribute(gbk("最新版本/版本信息/更深"), gbk("版本号")), "");
}

TEST(ManifestReader, EachLoadReplacesTheDocument) {
    ManifestReader reader;
    ASSERT_TRUE(reader.load(manifestText(manifest(R"(版本号="3.3")"))));
    EXPECT_DOUBLE_EQ(publishedVersion(reader), 3.3);
    // A failed load leaves nothing of the earlier document behind.
    EXPECT_FALSE(reader.load(manifestText("<最新版本><版本信息 版本号=\"4\"")));
    EXPECT_TRUE(reader.empty());
    EXPECT_DOUBLE_EQ(publishedVersion(reader), 0);
}

// "&" without ";" stays as written, however long the run: 4 MB of it took a
// minute while every "&" searched the rest of the text for a ";".
TEST(ManifestReader, LongRunsOfAmpersandsStayAsWritten) {
    const std::string amps(4u << 20, '&');
    EXPECT_EQ(decodeEntities(amps), amps);
    EXPECT_EQ(decodeEntities(amps + "amp;lt;"), amps + "lt;");
    const std::string longName = "&xxxxxxxxxxxxxxxxxxxx;"; // no entity of that name
    EXPECT_EQ(decodeEntities(longName), longName);
    EXPECT_EQ(decodeEntities("&#x00006587;&#0000020013;"), gbk("文") + "&#0000020013;");

    ManifestReader reader;
    ASSERT_TRUE(reader.load(manifestText(manifest("版本号=\"3.3\" 升级说明=\"" + amps + "\""))));
    EXPECT_EQ(reader.attribute(gbk("最新版本/版本信息"), gbk("升级说明")), amps);
}

TEST(ProgramVersion, NormalCaption) {
    EXPECT_EQ(normalCaption(), gbk("澜舟号录分析工具") + std::string(50, ' ') + gbk("版本号：3.2"));
}

} // namespace
} // namespace ssq::update
