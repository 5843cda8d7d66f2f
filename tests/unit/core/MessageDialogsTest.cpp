#include "core/MessageDialogs.h"
#include "core/BusyCursor.h"
#include "core/GlobalVars.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quillabe;

namespace {

std::vector<std::string> captions(const MessageRequest& r) {
    std::vector<std::string> out;
    for (const auto& b : r.buttons)
        out.push_back(b.caption);
    return out;
}

TEST(MessageBox, FlagsGiveIconAndButtons) {
    struct Case {
        uint32_t flags;
        MessageIcon icon;
        size_t buttons;
    };
    const Case cases[] = {{32, MessageIcon::Question, 1},
                          {35, MessageIcon::Question, 3},
                          {48, MessageIcon::Warning, 1},
                          {64, MessageIcon::Information, 1}};
    for (const auto& c : cases) {
        MessageRequest r = BuildMessageBox("t", "title", c.flags);
        EXPECT_EQ(r.icon, c.icon) << c.flags;
        ASSERT_EQ(r.buttons.size(), c.buttons) << c.flags;
        EXPECT_FALSE(r.isDialog);
    }
    MessageRequest ync = BuildMessageBox("t", "title", 35);
    EXPECT_EQ(ync.buttons[0].result, mrYes);
    EXPECT_EQ(ync.buttons[1].result, mrNo);
    EXPECT_EQ(ync.buttons[2].result, mrCancel);
}

TEST(MessageDialog, ButtonsStandInTheirFixedOrderAndTakeCaptionsInTurn) {
    GlobalVars.LanguageFile = "english.ini";
    // Given as a set: the order of the bits does not matter.
    MessageRequest r = BuildMessageDialog(
        "Stop?", "Question", MsgDlgType::Confirmation, {"Stop now", "", "Cancel it"},
        Btn(MsgDlgBtn::Cancel) | Btn(MsgDlgBtn::Yes) | Btn(MsgDlgBtn::No) | Btn(MsgDlgBtn::Help));
    ASSERT_EQ(r.buttons.size(), 4u);
    EXPECT_EQ(r.buttons[0].button, MsgDlgBtn::Yes);
    EXPECT_EQ(r.buttons[1].button, MsgDlgBtn::No);
    EXPECT_EQ(r.buttons[2].button, MsgDlgBtn::Cancel);
    EXPECT_EQ(r.buttons[3].button, MsgDlgBtn::Help);
    // An empty caption and a missing one keep the standard caption.
    EXPECT_EQ(captions(r), (std::vector<std::string>{"Stop now", "", "Cancel it", ""}));
    EXPECT_EQ(r.icon, MessageIcon::Question);
    EXPECT_EQ(r.beep, Beep::Question);
    EXPECT_EQ(r.minButtonWidthDlu, 70);
}

TEST(MessageDialog, FrenchButtonsAreWiderAndTypesBeep) {
    GlobalVars.LanguageFile = "FRENCH.INI";
    EXPECT_EQ(BuildMessageDialog("", "", MsgDlgType::Confirmation, {"Stop now", "When done"},
                                 Btn(MsgDlgBtn::Yes) | Btn(MsgDlgBtn::No))
                  .minButtonWidthDlu,
              110);
    GlobalVars.LanguageFile = "english.ini";
    const std::pair<MsgDlgType, Beep> beeps[] = {{MsgDlgType::Warning, Beep::Exclamation},
                                                 {MsgDlgType::Error, Beep::Stop},
                                                 {MsgDlgType::Information, Beep::Default},
                                                 {MsgDlgType::Custom, Beep::Default}};
    for (auto [type, beep] : beeps)
        EXPECT_EQ(BuildMessageDialog("", "", type, {}, Btn(MsgDlgBtn::OK)).beep, beep);
}

TEST(MessageDialog, ScriptedAnswererDrivesEveryQuestion) {
    auto scripted = std::make_shared<ScriptedMessageDialogs>();
    scripted->Answer(mrNo);
    SetMessageDialogHandler(scripted);
    EXPECT_EQ(ShowMessageBox("Create it?", "Create directory", 35), mrNo);
    // Past the script, the safest button answers.
    EXPECT_EQ(ShowMessageDialog("q", "t", MsgDlgType::Warning, {},
                                Btn(MsgDlgBtn::OK) | Btn(MsgDlgBtn::Cancel)),
              mrCancel);
    ASSERT_EQ(scripted->Requests().size(), 2u);
    EXPECT_EQ(scripted->Requests()[0].title, "Create directory");
    SetMessageDialogHandler(nullptr);
}

TEST(BusyCursor, NestsAndSurvivesFailures) {
    std::vector<bool> shown;
    SetBusyCursorHook([&](bool busy) { shown.push_back(busy); });
    EndBusy(); // nothing to end
    EXPECT_EQ(BusyDepth(), 0);
    try {
        BusyScope outer;
        BusyScope inner;
        EXPECT_EQ(BusyDepth(), 2);
        throw std::runtime_error("work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(BusyDepth(), 0);
    EXPECT_EQ(shown, (std::vector<bool>{true, true, false}));
    SetBusyCursorHook(nullptr);
}

} // namespace
