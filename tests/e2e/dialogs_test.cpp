#include <span>

#include "e2e_fixture.h"

namespace {

bool Checked(HWND dialog, int button) {
  return SendDlgItemMessageA(dialog, button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Click(HWND dialog, int button) { SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0); }

struct CloseWay {
  const char* name;
  void (*close)(HWND dialog);
};

const CloseWay kAccepting[] = {
    {"OK button", [](HWND dialog) { Click(dialog, IDOK); }},
    {"Enter key", [](HWND dialog) { PressKey(dialog, VK_RETURN); }},
    {"OK command", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }},
};

const CloseWay kCancelling[] = {
    {"Esc key", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }},
    {"Cancel command", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }},
    {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"close message", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
};

class AboutBoxTest : public AppTest {};

TEST_F(AboutBoxTest, ClosesEveryWay) {
  StartApp();
  for (const auto& ways :
       {std::span<const CloseWay>(kAccepting), std::span<const CloseWay>(kCancelling)}) {
    for (const CloseWay& way : ways) {
      SCOPED_TRACE(way.name);
      app_.Command(kAbout);
      HWND dialog = app_.WaitForDialog(kAboutCaption);
      ASSERT_NE(dialog, nullptr);
      way.close(dialog);
      EXPECT_TRUE(WaitUntilHidden(dialog));
    }
  }
  ExpectNothingShows();
  EXPECT_EQ(app_.Title(), "Statwarden");
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

struct Preset {
  const char* name;
  char configured;  // the digit in the configuration file; 0 for no file
  bool on;
};

class SoundPresetTest : public AppTest, public testing::WithParamInterface<Preset> {};

TEST_P(SoundPresetTest, ShowsTheSetting) {
  const Preset& preset = GetParam();
  if (preset.configured != 0) SetSound(preset.configured);
  StartApp();
  HWND dialog = OpenSoundSettings(app_);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Checked(dialog, kSoundOn), preset.on);
  EXPECT_EQ(Checked(dialog, kSoundOff), !preset.on);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntilHidden(dialog));
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp(preset.on ? '1' : '0');
}

INSTANTIATE_TEST_SUITE_P(Configurations, SoundPresetTest,
                         testing::Values(Preset{"NoFile", 0, true}, Preset{"SoundOne", '1', true},
                                         Preset{"SoundZero", '0', false}),
                         [](const auto& test) { return std::string(test.param.name); });

struct Choice {
  const char* name;
  char configured;
  int button;
  bool tune;
  char saved;
};

class SoundChoiceTest : public AppTest, public testing::WithParamInterface<Choice> {};

// OK takes the checked button: the next Scan plays its tune or not, and the file keeps it.
TEST_P(SoundChoiceTest, OkTakesTheChoice) {
  const Choice& choice = GetParam();
  SetSound(choice.configured);
  AddMap("rigged.pud", Rigged());
  StartApp();
  HWND dialog = OpenSoundSettings(app_);
  ASSERT_NE(dialog, nullptr);
  Click(dialog, choice.button);
  EXPECT_TRUE(Checked(dialog, choice.button));
  EXPECT_FALSE(Checked(dialog, choice.button == kSoundOn ? kSoundOff : kSoundOn));
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntilHidden(dialog));
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_EQ(outcome.alarm, choice.tune);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp(choice.saved);
}

INSTANTIATE_TEST_SUITE_P(Buttons, SoundChoiceTest,
                         testing::Values(Choice{"SoundOff", '1', kSoundOff, false, '0'},
                                         Choice{"SoundOn", '0', kSoundOn, true, '1'}),
                         [](const auto& test) { return std::string(test.param.name); });

class SoundSettingsTest : public AppTest {};

// Sound off checked, then the dialog closed without OK: sound stays on.
TEST_F(SoundSettingsTest, ClosingWithoutOkKeepsTheSetting) {
  StartApp();
  for (const CloseWay& way : kCancelling) {
    SCOPED_TRACE(way.name);
    HWND dialog = OpenSoundSettings(app_);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, kSoundOn));
    Click(dialog, kSoundOff);
    EXPECT_TRUE(Checked(dialog, kSoundOff));
    way.close(dialog);
    EXPECT_TRUE(WaitUntilHidden(dialog));
  }
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('1');
}

class HelpTest : public AppTest {};

TEST_F(HelpTest, ViewerShowsTheHelpAndClosesWithTheProgram) {
  StartApp();
  app_.Command(kHelp);
  HWND viewer = nullptr;
  for (int tries = 0; tries < 300 && viewer == nullptr; ++tries, Sleep(50)) {
    viewer = FindWindowA("MS_WINHELP", nullptr);
    if (!IsWindowVisible(viewer)) viewer = nullptr;
  }
  ASSERT_NE(viewer, nullptr);
  // The About box shows only once the help command is over: by then the viewer has taken the
  // file or put up its "ERROR" box.
  ExpectNothingShows();
  EXPECT_EQ(FindWindowA(nullptr, "ERROR"), nullptr);
  EXPECT_TRUE(IsWindowVisible(viewer));

  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  for (int tries = 0; tries < 200 && FindWindowA("MS_WINHELP", nullptr) != nullptr; ++tries) {
    Sleep(25);
  }
  EXPECT_EQ(FindWindowA("MS_WINHELP", nullptr), nullptr);
  ExpectCleanTemp('1');
}

class CommandTest : public AppTest {};

// Clear, whose menu is grayed, and identifiers no menu, key or button sends.
TEST_F(CommandTest, UnusedIdentifiersDoNothing) {
  SetSound('0');
  AddMap("rigged.pud", Rigged());
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  const WORD unused[] = {125, 999, 0};
  for (const WORD id : unused) app_.Command(id);
  ExpectNothingShows();
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

}  // namespace
