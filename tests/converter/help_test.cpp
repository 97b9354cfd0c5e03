// The Help command without the help file: the user guide beside the program, or a message.
#include "converter_fixture.h"
#include "help_seam.h"

namespace {

using HelpTest = ConverterTest;

TEST_F(HelpTest, WithoutTheHelpFileTheGuideOpensOrAMessageSaysWhy) {
    const std::string guide = HelpSeam::BesideProgram("Mardelko.html");
    for (const HelpCase& c : HelpFallbackCases("Mardelko.hlp", guide)) {
        SCOPED_TRACE(c.name);
        DeleteFileA(guide.c_str());
        HelpSeam seam(c.openResult);
        if (c.guidePresent) seam.Place(guide);
        MessageBoxSeen* box = c.message.empty() ? nullptr : &ExpectBox();
        Command(IDM_HELP_TOPICS);
        EXPECT_TRUE(harness.Finished());
        EXPECT_FALSE(converterState.helpShown);
        EXPECT_EQ(std::vector<std::string>(c.guidePresent, guide), seam.opened);
        if (!box) continue;
        EXPECT_EQ("MARDELKO", box->caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box->icon);
        EXPECT_EQ(0u, box->text.find(c.message)) << box->text;
    }
}

}  // namespace
