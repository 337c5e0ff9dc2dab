// The build must store every text as code page 936 bytes, whatever the source
// encoding: these are the bytes the user's Windows will decode.
#include "workflow/catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(Catalogue, TextsAreStoredAsCodePage936) {
    EXPECT_EQ(std::string(catalogue::kNameLinePrefix), "\xCE\xC4\xBC\xFE\xC3\xFB\xA3\xBA");
    EXPECT_EQ(std::string(catalogue::kShredButton), "\xB7\xDB    \xCB\xE9");
    EXPECT_EQ(std::string(catalogue::kConfirmShredTitle), "\xD1\xAF\xCE\xCA:");
}

std::string Dashes(int count) {
    std::string dashes;
    for (int i = 0; i < count; ++i) {
        dashes += "\xA1\xAA";
    }
    return dashes;
}

TEST(Catalogue, SeparatorsHaveTheirDashCountsAndLineBreaks) {
    EXPECT_EQ(std::string(catalogue::kCancelLineSuffix), "\r\n" + Dashes(19) + "\r\n\r\n");
    EXPECT_EQ(std::string(catalogue::kSuccessLine),
              "\xCE\xC4\xBC\xFE\xB7\xDB\xCB\xE9\xB3\xC9\xB9\xA6\xA1\xA3\r\n" + Dashes(22) +
                  "\r\n\r\n");
    std::string failure = catalogue::kFailureLine;
    EXPECT_EQ(failure.substr(failure.size() - 50), "\r\n" + Dashes(22) + "\r\n\r\n");
}

TEST(Catalogue, CreditIsANameABlankAndAnAddressWithoutLineBreak) {
    std::string credit = catalogue::kCreditLine;
    size_t blank = credit.find(' ');
    ASSERT_NE(blank, std::string::npos);
    EXPECT_EQ(credit.find(' ', blank + 1), std::string::npos);
    EXPECT_EQ(credit.substr(blank + 1), catalogue::kLinkAddress);
    EXPECT_EQ(credit.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace quorvane
