#include "view/device_dialogue.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console.h"

namespace {

const std::string kPrompt = "Graphics device/type (? to see list, default /xw): ";

struct Dialogue {
    std::string answer;
    std::string transcript;
};

Dialogue ask(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    Console console(in, out);
    Dialogue dialogue;
    dialogue.answer = askDeviceSpec(console);
    dialogue.transcript = out.str();
    return dialogue;
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(AskDeviceSpec, PromptsOnceAndReturnsTheAnswer) {
    const Dialogue dialogue = ask("plot.png/png\nnext line\n");
    EXPECT_EQ(dialogue.answer, "plot.png/png");
    EXPECT_EQ(dialogue.transcript, kPrompt);
}

TEST(AskDeviceSpec, BlanksAroundTheAnswerAreDropped) {
    EXPECT_EQ(ask("  plot.pdf/pdf \t\n").answer, "plot.pdf/pdf");
    EXPECT_EQ(ask("plot.ps/cps\r\n").answer, "plot.ps/cps");
}

TEST(AskDeviceSpec, AnEmptyOrBlankLineAndEndOfInputMeanTheDefaultDevice) {
    EXPECT_EQ(ask("\nplot.png/png\n").answer, "");
    EXPECT_EQ(ask("   \n").answer, "");
    const Dialogue atEnd = ask("");
    EXPECT_EQ(atEnd.answer, "");
    EXPECT_EQ(atEnd.transcript, kPrompt);
}

TEST(AskDeviceSpec, AQuestionMarkListsTheDevicesAndAsksAgain) {
    const Dialogue dialogue = ask("?\n plot.ps/cps\n");
    EXPECT_EQ(dialogue.answer, "plot.ps/cps");
    EXPECT_EQ(occurrences(dialogue.transcript, kPrompt), 2);
    for (const char* type : {"/xw", "/png", "/pdf", "/cps", "/null"}) {
        EXPECT_NE(dialogue.transcript.find(type, kPrompt.size()), std::string::npos) << type;
    }
}

TEST(AskDeviceSpec, QuestionMarksUntilEndOfInputEndWithTheDefaultDevice) {
    const Dialogue dialogue = ask("?\n?more\n");
    EXPECT_EQ(dialogue.answer, "");
    EXPECT_EQ(occurrences(dialogue.transcript, kPrompt), 3);
}
