// The Help command without "Zevedit.hlp": the user guide beside the program, or a message.
#include "editor_fixture.h"
#include "help_seam.h"

namespace {

using HelpTest = EditorTest;

TEST_F(HelpTest, WithoutTheHelpFileTheGuideOpensOrAMessageSaysWhy) {
    const std::string guide = HelpSeam::BesideProgram("zevedit.html");
    DeleteFileA(editorState.helpFilePath);
    for (const HelpCase& c : HelpFallbackCases(editorState.helpFilePath, guide)) {
        SCOPED_TRACE(c.name);
        DeleteFileA(guide.c_str());
        HelpSeam seam(c.openResult);
        if (c.guidePresent) seam.Place(guide);
        MessageBoxSeen box;
        if (!c.message.empty()) harness->ExpectMessageBox(IDOK, &box);
        Command(IDM_HELP_TOPICS);
        EXPECT_TRUE(harness->Finished());
        EXPECT_FALSE(editorState.helpShown);
        EXPECT_EQ(std::vector<std::string>(c.guidePresent, guide), seam.opened);
        if (c.message.empty()) continue;
        EXPECT_EQ("方言辞書エディタ", box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.icon);
        EXPECT_EQ(0u, box.text.find(c.message)) << box.text;
    }
}

}  // namespace
