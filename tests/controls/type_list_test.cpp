#include "controls/type_list.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using namespace std::string_literals;

struct TypeListCase {
    const char* name;
    std::string filter;
    std::optional<std::string> list;
};

void PrintTo(const TypeListCase& c, std::ostream* out) {
    *out << c.name;
}

class TypeListTest : public ::testing::TestWithParam<TypeListCase> {};

TEST_P(TypeListTest, BarsBecomeTerminators) {
    EXPECT_EQ(TypeListFromFilter(GetParam().filter), GetParam().list);
}

// "\x81|" is one double-byte character whose trail byte is 0x7C, the bar's value.
INSTANTIATE_TEST_SUITE_P(
    Filters, TypeListTest,
    ::testing::Values(TypeListCase{"AllFiles", "所有文件(*.*)|*.*", "所有文件(*.*)\0*.*\0\0"s},
                      TypeListCase{"AlreadyEnded", "Text|*.txt||", "Text\0*.txt\0\0"s},
                      TypeListCase{"TrailingBlanksCut", "Text|*.txt  \t", "Text\0*.txt\0\0"s},
                      TypeListCase{"TwoEntries", "A|*.a|B|*.b", "A\0*.a\0B\0*.b\0\0"s},
                      TypeListCase{"TrailByteIsNoBar", "x\x81|y|*.*", "x\x81|y\0*.*\0\0"s},
                      TypeListCase{"Empty", "", std::nullopt},
                      TypeListCase{"BlanksOnly", "   ", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
