// message_log_test.cpp: the 40-line diagnostic store keeps the newest lines, cut to fit.
#include "render/message_log.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MessageLog, KeepsTheLast40InOrderNewestLast) {
    MessageLog log{};
    for (int i = 0; i < 45; ++i) log.append(("line " + std::to_string(i)).c_str());
    for (int k = 0; k < MESSAGE_LOG_LINES; ++k) {
        EXPECT_EQ(std::string(log.lines[k]), "line " + std::to_string(k + 5)) << "line " << k;
    }
}

TEST(MessageLog, FirstAppendsFillFromTheBottomAndTheRestStaysEmpty) {
    MessageLog log{};
    log.append("Levelwechsel");
    log.append("FEHLER: Zuviele Fenster offen");
    EXPECT_STREQ(log.lines[38], "Levelwechsel");
    EXPECT_STREQ(log.lines[39], "FEHLER: Zuviele Fenster offen");
    for (int k = 0; k < 38; ++k) EXPECT_STREQ(log.lines[k], "") << "line " << k;
}

TEST(MessageLog, LongTextsAreCutAndNullIsAnEmptyLine) {
    MessageLog log{};
    std::string text(300, 'a');
    text[126] = 'b';
    text[127] = 'c';
    log.append(text.c_str());
    EXPECT_EQ(std::string(log.lines[39]), std::string(126, 'a') + "b");
    log.append(nullptr);
    EXPECT_STREQ(log.lines[39], "");
    EXPECT_EQ(std::string(log.lines[38]).size(), 127u);
}

}  // namespace
